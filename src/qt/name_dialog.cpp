#include "qt/name_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vespin {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace

NameDialog::NameDialog(NameRequest& request, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      m_request(request) {
    setObjectName("TForm2");
    setWindowTitle(FromUtf8(request.Title));
    auto* all = new QVBoxLayout(this);
    for (const std::string& line : request.Lines)
        all->addWidget(new QLabel(FromUtf8(line)));
    auto* row = new QGridLayout;
    int column = 0;
    for (const NameRequest::Field& field : request.Fields) {
        auto* edit = new QLineEdit(FromUtf8(field.Text));
        edit->setObjectName(QString("Edit%1").arg(column + 1));
        edit->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("全角全角")) + 16);
        row->addWidget(new QLabel(FromUtf8(field.Label)), 0, column);
        row->addWidget(edit, 1, column);
        m_fields.push_back(edit);
        ++column;
    }
    auto* ok = new QPushButton(QStringLiteral("ＯＫ"));
    ok->setObjectName("Button1");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &NameDialog::Press);
    row->addWidget(ok, 0, column, request.Cancellable ? 1 : 2, 1);
    if (request.Cancellable) {
        auto* cancel = new QPushButton(QStringLiteral("キャンセル"));
        cancel->setObjectName("Button2");
        connect(cancel, &QPushButton::clicked, this, &NameDialog::reject);
        row->addWidget(cancel, 1, column);
    }
    all->addLayout(row);
    all->setSizeConstraint(QLayout::SetFixedSize);
    if (!m_fields.empty()) m_fields.front()->setFocus();
}

void NameDialog::Press() {
    for (size_t i = 0; i < m_fields.size() && i < m_request.Fields.size(); ++i)
        m_request.Fields[i].Text = ToUtf8(m_fields[i]->text());
    std::vector<NameRequest::Field> before = m_request.Fields;
    bool closes = m_request.Accept && m_request.Accept(m_request.Fields);
    for (size_t i = 0; i < m_fields.size() && i < m_request.Fields.size(); ++i) {
        const std::string& now = m_request.Fields[i].Text;
        m_fields[i]->setText(FromUtf8(now));
        // The field the engine refused takes the focus, its text selected for typing over.
        if (!closes && now != before[i].Text) {
            m_fields[i]->setFocus();
            m_fields[i]->selectAll();
        }
    }
    if (closes || !m_request.Accept) accept();
}

}  // namespace vespin
