#include "platform/forms/Clipboard.h"

#include <QClipboard>
#include <QMimeData>

#include "platform/forms/Forms_p.h"

namespace {

QClipboard& Board()
{
    tvforms::EnsureApp();
    return *QGuiApplication::clipboard();
}

}  // namespace

String TClipboard::AsText() const { return Board().text().toStdString(); }

void TClipboard::SetAsText(const String& text) { Board().setText(QString::fromStdString(text)); }

bool TClipboard::HasText() const
{
    const QMimeData* data = Board().mimeData();
    return data && data->hasText();
}

void TClipboard::Clear() { Board().clear(); }

TClipboard* Clipboard()
{
    static TClipboard clipboard;
    return &clipboard;
}
