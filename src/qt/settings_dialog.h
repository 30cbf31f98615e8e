#pragma once
// The settings dialog "システム設定" (TForm3): every control is filled from the engine when the
// dialog is built, and each change goes to the engine the moment it happens, which writes the
// value and applies it. Widgets carry object names (the value names, "OK", "Default",
// "VoiceSample", "TintGroup", "TintSample") so that tests can find them.

#include <QDialog>
#include <QSpinBox>

#include "core/host/host.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QSlider;
class QCheckBox;

namespace vespin {

// A spin box that takes any number typed into it and clamps it to its range when the typing
// ends (a 30 typed into 11..22 becomes 22), rather than refusing the keystroke.
class ClampingSpinBox : public QSpinBox {
  public:
    using QSpinBox::QSpinBox;

  protected:
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};

class SystemSettingsDialog : public QDialog {
  public:
    SystemSettingsDialog(SettingsDialog& engine, QWidget* parent);

  private:
    QWidget* BuildDisplayColumn();
    QWidget* BuildSoundColumn();
    QWidget* BuildTextColumn();
    QGroupBox* BuildTintGroup();
    // A titled pair of radio buttons for a 0/1 value (first caption = 0).
    QGroupBox* Choice(const QString& title, const QString& first, const QString& second,
                      const char* name);
    QSlider* VolumeSlider(const char* name);
    QCheckBox* Check(const QString& caption, const char* name);
    void FillFonts();
    void StyleChanged(bool picture_style);
    void TintChanged();
    void SetTint(int r, int g, int b, int a);

    SettingsDialog& m_engine;
    ClampingSpinBox* m_size = nullptr;
    QCheckBox* m_picture_style = nullptr;
    QComboBox* m_fonts = nullptr;
    QGroupBox* m_tint_group = nullptr;
    QWidget* m_tint_sample = nullptr;
    QSlider* m_tint[4] = {};
    int m_size_picture = 18;  // FONTSIZE, shown in the picture style
    int m_size_tinted = 21;   // FONTSIZE2, shown in the tinted style
};

}  // namespace vespin
