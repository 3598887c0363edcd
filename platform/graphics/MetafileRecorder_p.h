#pragma once
// Layer-private: a paint device that records what a painter draws on it into a metafile picture,
// so that anything drawing through a painter (the device context, the antialiased layer) records
// unchanged.
#include <QPaintDevice>
#include <memory>

#include "platform/graphics/MetafileImage_p.h"

class TMetafilePaintEngine;

class TMetafileRecorder : public QPaintDevice {
public:
    // size: the frame in pixels; an empty size records without bounds.
    explicit TMetafileRecorder(QSize size);
    ~TMetafileRecorder() override;
    TMetafileRecorder(const TMetafileRecorder&) = delete;
    TMetafileRecorder& operator=(const TMetafileRecorder&) = delete;

    QPaintEngine* paintEngine() const override;
    // The picture recorded so far (take it after the painter has ended). Its size is the frame
    // given, or for an unbounded recording the extent of what was drawn from (0, 0).
    std::shared_ptr<TMetafileImage> Take();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    std::unique_ptr<TMetafilePaintEngine> engine_;
};

// True for the recorder's paint engine (the device context draws vector lines on it).
bool IsMetafileEngine(const QPaintEngine* engine);
