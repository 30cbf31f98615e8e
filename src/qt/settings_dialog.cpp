#include "qt/settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

namespace vespin {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Number(int value) {
    return std::to_string(value);
}

// The stand-in the glyph renderer takes for a face that is gone: one of the same kind.
int SameKindIndex(const QComboBox& fonts, const QString& name) {
    const QString gothic = QStringLiteral("ゴシック");
    bool wants_gothic = name.contains(gothic) || name.contains("Gothic", Qt::CaseInsensitive);
    const QString mark = wants_gothic ? gothic : QStringLiteral("明朝");
    for (int i = 0; i < fonts.count(); ++i) {
        if (fonts.itemText(i).contains(mark)) return i;
    }
    return fonts.count() > 0 ? 0 : -1;
}

}  // namespace

QValidator::State ClampingSpinBox::validate(QString& input, int& /*pos*/) const {
    if (input.isEmpty()) return QValidator::Intermediate;
    bool ok = false;
    int value = input.toInt(&ok);
    if (!ok || input.size() > 4 || input.startsWith('+')) return QValidator::Invalid;
    return value >= minimum() && value <= maximum() ? QValidator::Acceptable
                                                    : QValidator::Intermediate;
}

void ClampingSpinBox::fixup(QString& input) const {
    bool ok = false;
    int value = input.toInt(&ok);
    if (ok) input = QString::number(std::clamp(value, minimum(), maximum()));
}

SystemSettingsDialog::SystemSettingsDialog(SettingsDialog& engine, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), m_engine(engine) {
    setObjectName("TForm3");
    setWindowTitle(QStringLiteral("システム設定"));
    m_size_picture = engine.IntValue("FONTSIZE");
    m_size_tinted = engine.IntValue("FONTSIZE2");

    auto* columns = new QHBoxLayout;
    columns->addWidget(BuildDisplayColumn());
    columns->addWidget(BuildSoundColumn());
    columns->addWidget(BuildTextColumn());
    columns->addWidget(BuildTintGroup());

    auto* notes = new QVBoxLayout;
    notes->addWidget(new QLabel(
        QStringLiteral("※1 フォントの種類によっては、表示に問題が生じることがあります。")));
    notes->addWidget(new QLabel(QStringLiteral("※2 詳細は readme.txt をご覧ください。")));
    auto* ok = new QPushButton(QStringLiteral("ＯＫ"));
    ok->setObjectName("OK");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(notes, 1);
    bottom->addWidget(ok);

    auto* all = new QVBoxLayout(this);
    all->addLayout(columns);
    all->addLayout(bottom);
    all->setSizeConstraint(QLayout::SetFixedSize);
    StyleChanged(m_picture_style->isChecked());
}

QGroupBox* SystemSettingsDialog::Choice(const QString& title, const QString& first,
                                        const QString& second, const char* name) {
    auto* box = new QGroupBox(title);
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(box);
    const QString captions[] = {first, second};
    int value = m_engine.IntValue(name);
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(captions[i]);
        radio->setObjectName(QString("%1%2").arg(name).arg(i));
        radio->setChecked(value == i);
        group->addButton(radio, i);
        row->addWidget(radio);
    }
    std::string key = name;
    connect(group, &QButtonGroup::idClicked, this,
            [this, key](int id) { m_engine.Change(key, Number(id)); });
    return box;
}

QSlider* SystemSettingsDialog::VolumeSlider(const char* name) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setObjectName(name);
    slider->setRange(-3000, 0);
    slider->setPageStep(300);
    slider->setValue(m_engine.IntValue(name));
    slider->setMinimumWidth(140);
    std::string key = name;
    connect(slider, &QSlider::valueChanged, this,
            [this, key](int v) { m_engine.Change(key, Number(v)); });
    return slider;
}

QCheckBox* SystemSettingsDialog::Check(const QString& caption, const char* name) {
    auto* check = new QCheckBox(caption);
    check->setObjectName(name);
    check->setChecked(m_engine.IntValue(name) != 0);
    std::string key = name;
    connect(check, &QCheckBox::toggled, this,
            [this, key](bool on) { m_engine.Change(key, on ? "1" : "0"); });
    return check;
}

QWidget* SystemSettingsDialog::BuildDisplayColumn() {
    auto* column = new QWidget;
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Choice("スクリーンモード", "ウィンドウ", "全画面", "SMode"));
    layout->addWidget(Choice("グラフィック表示", "通常", "高速", "GMode"));
    layout->addWidget(Choice("文字表示速度", "通常", "高速", "Delay"));
    layout->addWidget(Choice("アニメーション", "速度優先", "画質優先", "AnimQuality"));
    layout->addStretch();
    return column;
}

QWidget* SystemSettingsDialog::BuildSoundColumn() {
    auto* sound = new QGroupBox(QStringLiteral("音設定"));
    auto* layout = new QVBoxLayout(sound);
    auto* switches = new QHBoxLayout;
    switches->addWidget(Choice("ボイス", "あり", "なし", "Wave"));
    switches->addWidget(Choice("ＢＧＭ", "あり", "なし", "BGM"));
    layout->addLayout(switches);

    auto* device = new QGroupBox(QStringLiteral("DirectSound"));
    auto* grid = new QGridLayout(device);
    auto* voice = new QPushButton(QStringLiteral("ボイス"));
    voice->setObjectName("VoiceSample");
    voice->setAutoDefault(false);
    connect(voice, &QPushButton::clicked, this, [this] { m_engine.PlayVoiceSample(); });
    grid->addWidget(new QLabel(QStringLiteral("全体音量")), 0, 0);
    grid->addWidget(VolumeSlider("Volume"), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("BGM")), 1, 0);
    grid->addWidget(VolumeSlider("Vol3"), 1, 1);
    grid->addWidget(voice, 2, 0);
    grid->addWidget(VolumeSlider("Vol1"), 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("効果音")), 3, 0);
    grid->addWidget(VolumeSlider("Vol2"), 3, 1);
    // Read and written like the others, shown nowhere.
    QSlider* hidden = VolumeSlider("Vol4");
    hidden->setParent(device);
    hidden->hide();
    auto* drive = new QComboBox(device);
    drive->setObjectName("CDDA_DRV");
    drive->setToolTip(QStringLiteral("CD-DA ドライブ指定"));
    drive->hide();
    layout->addWidget(device);
    layout->addStretch();
    return sound;
}

QWidget* SystemSettingsDialog::BuildTextColumn() {
    auto* text = new QGroupBox(QStringLiteral("テキスト表示"));
    auto* layout = new QVBoxLayout(text);
    layout->addWidget(Check("太字", "FONTBold"));
    auto* font_row = new QHBoxLayout;
    font_row->addWidget(new QLabel(QStringLiteral("フォント(※1)")));
    m_fonts = new QComboBox;
    m_fonts->setObjectName("FontName");
    FillFonts();
    font_row->addWidget(m_fonts, 1);
    layout->addLayout(font_row);
    auto* size_row = new QHBoxLayout;
    size_row->addWidget(new QLabel(QStringLiteral("フォントサイズ")));
    m_size = new ClampingSpinBox;
    m_size->setObjectName("FontSize");
    m_size->setRange(11, 22);
    m_size->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    size_row->addWidget(m_size);
    size_row->addStretch();
    layout->addLayout(size_row);
    layout->addWidget(Choice("フォント描画方法", "アンチあり(※2)", "アンチなし", "FONTAA"));
    layout->addWidget(Check("選択時にスキップ等を解除", "BreakonSelect"));
    layout->addWidget(Check("未読でスキップ等を止める", "Seen"));
    m_picture_style = Check("オリジナル版テキスト背景", "WINTYPE");
    connect(m_picture_style, &QCheckBox::toggled, this, &SystemSettingsDialog::StyleChanged);
    layout->addWidget(m_picture_style);
    QCheckBox* memory = Check("メモリ使用を節約しない", "OnMemoryMode");
    memory->setParent(text);
    memory->hide();
    connect(m_size, &QSpinBox::valueChanged, this, [this](int v) {
        bool picture = m_picture_style->isChecked();
        (picture ? m_size_picture : m_size_tinted) = v;
        m_engine.Change(picture ? "FONTSIZE" : "FONTSIZE2", Number(v));
    });
    layout->addStretch();
    return text;
}

void SystemSettingsDialog::FillFonts() {
    for (const std::string& family : m_engine.FontFamilies())
        m_fonts->addItem(FromUtf8(family));
    QString current = FromUtf8(m_engine.TextValue("FontName"));
    int index = m_fonts->findText(current);
    m_fonts->setCurrentIndex(index >= 0 ? index : SameKindIndex(*m_fonts, current));
    connect(m_fonts, &QComboBox::currentTextChanged, this, [this](const QString& name) {
        QByteArray utf8 = name.toUtf8();
        m_engine.Change("FontName", std::string(utf8.constData(), utf8.size()));
    });
}

QGroupBox* SystemSettingsDialog::BuildTintGroup() {
    m_tint_group = new QGroupBox(QStringLiteral("テキスト背景"));
    m_tint_group->setObjectName("TintGroup");
    auto* grid = new QGridLayout(m_tint_group);
    const char* names[] = {"TXBG_R", "TXBG_G", "TXBG_B", "TXBG_A"};
    const char* captions[] = {"R", "G", "B", "透過"};
    for (int i = 0; i < 4; ++i) {
        // Full at the top, as the original's sliders run from -255 at the top to 0.
        auto* slider = new QSlider(Qt::Vertical);
        slider->setObjectName(names[i]);
        slider->setRange(0, 255);
        slider->setValue(std::clamp(m_engine.IntValue(names[i]), 0, 255));
        slider->setMinimumHeight(120);
        std::string key = names[i];
        connect(slider, &QSlider::valueChanged, this, [this, key](int v) {
            m_engine.Change(key, Number(v));
            TintChanged();
        });
        m_tint[i] = slider;
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i])), 0, i, Qt::AlignHCenter);
        grid->addWidget(slider, 1, i, Qt::AlignHCenter);
    }
    m_tint_sample = new QWidget;
    m_tint_sample->setObjectName("TintSample");
    m_tint_sample->setFixedSize(48, 48);
    m_tint_sample->setAutoFillBackground(true);
    grid->addWidget(m_tint_sample, 1, 4, Qt::AlignTop);
    auto* reset = new QPushButton(QStringLiteral("Default"));
    reset->setObjectName("Default");
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this] { SetTint(66, 62, 249, 170); });
    grid->addWidget(reset, 2, 0, 1, 5);
    TintChanged();
    return m_tint_group;
}

void SystemSettingsDialog::SetTint(int r, int g, int b, int a) {
    const int values[] = {r, g, b, a};
    for (int i = 0; i < 4; ++i)
        m_tint[i]->setValue(values[i]);  // each writes its value and repaints the sample
}

// The sample shows the tint as the window shows it: the colour at its opacity over black.
void SystemSettingsDialog::TintChanged() {
    int a = m_tint[3]->value();
    QColor colour(m_tint[0]->value() * a / 255, m_tint[1]->value() * a / 255,
                  m_tint[2]->value() * a / 255);
    QPalette palette = m_tint_sample->palette();
    palette.setColor(QPalette::Window, colour);
    m_tint_sample->setPalette(palette);
    m_tint_sample->update();
}

void SystemSettingsDialog::StyleChanged(bool picture_style) {
    m_tint_group->setVisible(!picture_style);
    QSignalBlocker quiet(m_size);
    m_size->setValue(picture_style ? m_size_picture : m_size_tinted);
}

}  // namespace vespin
