#pragma once
// CUpdateInfoListItemUI ("UpdateInfoListItemUI"): one row of the update list, built from
// "XML\\CustomControlXML\\device_Update_list_item.xml". Its parts: the option "check_name_select"
// (the row's name; selecting it marks the row for updating), "OldRev" (the current version),
// "updateRev" (the new one), the progress "update_status_ing" with its text
// "update_progress_value", and the done mark "update_status_ok". The row keeps the download
// location as its user data. While the pointer is over a row whose option is not selected, the
// row draws a one-pixel frame in its list's "itemhotbordercolor".

#include "online/UpdateRequest.h"
#include "ui/framework/List.h"

namespace orvane::ui {
class COptionUI;
}

namespace orvane::online {

class CUpdateInfoListItemUI : public ui::CListElementUI {
public:
    static constexpr const char* kLayout = "XML\\CustomControlXML\\device_Update_list_item.xml";
    static constexpr int kHeight = 30;

    using CListElementUI::CListElementUI;

    QString GetClass() const override { return "UpdateInfoListItemUI"; }
    void* GetInterface(const QString& name) override;

    ui::COptionUI* GetOption() const;

    // The look of an UpdateRowState: progress, done mark and the option's text colours; every
    // state of the table also enables the option. The state the row has already changes nothing;
    // a value outside the table is only stored.
    void SetUpdateRowState(int state);
    int GetUpdateRowState() const { return state_; }
    // "update_progress_value" as "<percent>%".
    void SetProgress(int percent);

protected:
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    int state_ = kRowNew;
    bool hot_ = false;
};

}  // namespace orvane::online
