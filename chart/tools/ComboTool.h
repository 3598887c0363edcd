#pragma once
// A drop-down list painted on the chart: the selected item with a button; a click opens the list
// of Items below it, a click or the keys choose one.
#include <memory>

#include "chart/tools/AnnotationTool.h"
#include "platform/rtl/StringList.h"

class TZebCombo : public TAnnotationTool {
    TV_CLASS(TZebCombo, TAnnotationTool)
public:
    explicit TZebCombo(TComponent* owner);
    ~TZebCombo() override;
    // Items, ItemIndex and AutoHide, then the annotation settings.
    void Assign(TPersistent* source) override;
    void HandleMouse(TToolMouseKind kind, TMouseButton button, TShiftState shift, int x, int y) override;
    void HandleKey(TToolKeyKind kind, Word& key, TShiftState shift, char keyChar) override;
    void DrawAnnotation(TCustomAxisPanel& panel) override;
    String GetText() const override;

    // ---- published ----
    bool AutoHide() const { return autoHide_; }
    void SetAutoHide(bool value) { ChangeBoolean(autoHide_, value); }
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    TStrings* Items() const { return items_.get(); }
    void SetItems(TStrings* value);
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent value) { onChange_ = std::move(value); }

    // ---- state ----
    bool DroppedDown() const { return droppedDown_; }
    void DropDown();
    void CloseUp();
    int RowHeight() const { return rowHeight_; }
    int HotItem() const { return hot_; }
    int FirstShown() const { return firstShown_; }
    // The open list's item at a point; -1 beside the box or on the header row.
    int ItemAt(int x, int y);
    // Rows of the open list that fit below the header.
    int VisibleRows();

private:
    void itemsChanged();
    void updateHeight(TCustomAxisPanel& panel);
    void keepSelectionShown();
    bool hidden() const;

    std::unique_ptr<TStringList> items_;
    bool autoHide_ = false;
    int itemIndex_ = -1;
    TNotifyEvent onChange_;
    bool droppedDown_ = false;
    int rowHeight_ = 16;
    int hot_ = -1;
    bool hovered_ = false;
    int firstShown_ = 0;
    int widest_ = 0;
};
