#pragma once
// The name dialog (TForm2): explanation lines, one or two labelled fields and "ＯＫ". Caption
// and texts come from the engine's request; "ＯＫ" hands the fields to it, and the dialog closes
// only when it accepts them (a refused field shows the text the engine put back, selected).
// No close box, and Escape does nothing, unless the request can be cancelled: then
// "キャンセル" and Escape close it without a word to the engine. Fields take Japanese through
// the desktop's input method; Tab moves between them and Enter presses "ＯＫ".

#include <QDialog>
#include <vector>

#include "core/host/host.h"

class QLineEdit;

namespace vespin {

class NameDialog : public QDialog {
  public:
    NameDialog(NameRequest& request, QWidget* parent);

    QLineEdit* Field(int index) const { return m_fields.at(static_cast<size_t>(index)); }
    void Press();

  protected:
    void reject() override {
        if (m_request.Cancellable) QDialog::reject();
    }

  private:
    NameRequest& m_request;
    std::vector<QLineEdit*> m_fields;
};

}  // namespace vespin
