#include "qt/qt_host.h"

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <chrono>
#include <thread>
#include <utility>
#include "qt/name_dialog.h"
#include "qt/presentation.h"
#include "qt/settings_dialog.h"

namespace vespin {

namespace {

// The original window's frame around its client area: 4 pixels at each side, 26 in all above
// and below (caption and borders). Frames differ between desktops, so the outer size the
// engine asks for is turned into the client size it implies and that is fixed instead.
constexpr int kFrameWidth = 8;
constexpr int kFrameHeight = 26;

// How often the timer is looked at while a modal loop runs: fine enough for a 55 ms tick.
constexpr int kModalTickPollMs = 5;

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Warning:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

// Tells the host whenever the window system exposes the window (shown, uncovered, restored).
class ExposeWatch : public QObject {
  public:
    explicit ExposeWatch(std::function<void()> exposed) : m_exposed(std::move(exposed)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) m_exposed();
        }
        return false;
    }

  private:
    std::function<void()> m_exposed;
};

// The captions of the game's question boxes when Qt has no Japanese of its own here.
constexpr char kYes[] = "\u306F\u3044";       // はい
constexpr char kNo[] = "\u3044\u3044\u3048";  // いいえ

uint32_t SteadyMilliseconds() {
    using namespace std::chrono;
    auto since = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    return static_cast<uint32_t>(since.count());  // wraps at 2^32 like the system tick count
}

}  // namespace

QString SingleInstanceLockPath(std::string_view name) {
    QString file;
    for (char c : name) {
        bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                     c == '_' || c == '-';
        file += plain ? QChar(c) : QChar('_');
    }
    file += QString(".%1.lock").arg(static_cast<qulonglong>(getuid()));
    return QDir(QDir::tempPath()).filePath(file);
}

QtHost::QtHost()
    : m_window(std::make_unique<MainWindow>(m_queue)),
      m_sibling_settings(QStringLiteral("Corvalin"), QStringLiteral("tavo")),
      m_ticks(SteadyMilliseconds()),
      m_open_sound(&OpenAlSoundDevice::Open),
      m_movies(m_window->Movie(), [this] { RequestRepaint(); }) {
    LoadTranslations();
    FollowApplicationState();
    SetUpPresentation();
}

QtHost::QtHost(const QString& settings_file)
    : m_window(std::make_unique<MainWindow>(m_queue)),
      m_settings(settings_file),
      m_sibling_settings(
          QFileInfo(settings_file).dir().filePath(QStringLiteral("Corvalin-tavo.ini"))),
      m_ticks(SteadyMilliseconds()),
      m_open_sound(&OpenAlSoundDevice::Open),
      m_movies(m_window->Movie(), [this] { RequestRepaint(); }) {
    LoadTranslations();
    FollowApplicationState();
    SetUpPresentation();
}

QtHost::~QtHost() {
    if (m_translator) QCoreApplication::removeTranslator(m_translator.get());
}

// Every dialog of the game speaks Japanese: Qt's own translations for the system locale when
// that is Japanese, else Qt's Japanese all the same. Where they are not installed, the host
// gives the game's question boxes their Japanese captions itself.
void QtHost::LoadTranslations() {
    QLocale system = QLocale::system();
    QLocale japanese = system.language() == QLocale::Japanese
                           ? system
                           : QLocale(QLocale::Japanese, QLocale::Japan);
    auto translator = std::make_unique<QTranslator>();
    QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) return;
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
}

void QtHost::SetUpPresentation() {
    std::string scaling = m_settings.Read("Scaling").value_or("");
    m_window->Area().SetScaling(ScalingFromText(scaling));
    int scale = WindowScaleFromText(m_settings.Read("WindowScale").value_or(""));
    m_window->SetWindowScale(scale);
    PresentationMenu items;
    items.CurrentScale = scale;
    items.ChooseScale = [this](int percent) { ChooseWindowScale(percent); };
    items.TakeScreenshot = [this] {
        InputEvent input;
        input.kind = InputKind::Command;
        input.command = UiCommand::Screenshot;
        m_queue.Push(input);
    };
    AddPresentationItems(m_window->Menu(), items);
}

void QtHost::ChooseWindowScale(int percent) {
    m_settings.Write("WindowScale", std::to_string(percent));
    m_window->SetWindowScale(percent);
    RequestRepaint();
}

void QtHost::WatchExposure() {
    QWindow* window = m_window->windowHandle();
    if (!window) return;
    if (!m_expose_watch)
        m_expose_watch = std::make_unique<ExposeWatch>([this] { RequestRepaint(); });
    window->removeEventFilter(m_expose_watch.get());  // at most one watch on one window
    window->installEventFilter(m_expose_watch.get());
}

// The device goes quiet while another program is in front, not while one of the game's own
// windows (a message box, the settings dialog with its test sounds) is: the application's state
// says which, where the main window's own activation would not.
void QtHost::FollowApplicationState() {
    QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, m_window.get(),
                     [this](Qt::ApplicationState state) {
                         if (m_sound) m_sound->SetWindowActive(state == Qt::ApplicationActive);
                     });
}

uint32_t QtHost::NowMs() {
    return SteadyMilliseconds();
}

void QtHost::SleepMs(uint32_t ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

int64_t QtHost::WallClockSeconds() {
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

void QtHost::ShowWindowOnce() {
    if (m_window_shown) return;
    m_window_shown = true;
    m_window->show();
    m_window->activateWindow();
    m_window->setFocus();
    WatchExposure();
    RequestRepaint();  // the first frame, whether or not the platform reports an expose
}

void QtHost::PumpMessages(EngineEvents& engine) {
    if (m_closed) return;  // a destroyed window receives nothing more
    ShowWindowOnce();
    // Pumps nest (a handler may run a blocking effect that pumps again): restore the outer
    // pump's receiver on the way out, however this one ends.
    struct Receiver {
        EngineEvents*& current;
        EngineEvents* outer;
        ~Receiver() { current = outer; }
    } receiver{m_engine, std::exchange(m_engine, &engine)};
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Without a running event loop, objects Qt retires with deleteLater would pile up.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (!m_closed) {
        std::optional<InputEvent> event = m_queue.Pop();
        if (!event) break;
        engine.OnInput(*event);
    }
    // Painting comes after the input and before the timer, as a window system orders them.
    if (m_repaint_pending && !m_closed) {
        m_repaint_pending = false;
        engine.OnRepaint();
    }
    DeliverDueTick();
}

void QtHost::DeliverDueTick() {
    if (m_engine && !m_closed && m_ticks.TakeDue(NowMs())) m_engine->OnTimerTick();
}

template <typename Fn>
auto QtHost::RunModal(Fn&& run) {
    QTimer ticker;
    ticker.setInterval(kModalTickPollMs);
    QObject::connect(&ticker, &QTimer::timeout, [this] { DeliverDueTick(); });
    ticker.start();
    // Whatever the modal window covered is painted again once it has gone.
    struct Uncover {
        QtHost& host;
        ~Uncover() { host.RequestRepaint(); }
    } uncover{*this};
    return run();
}

void QtHost::Present(const Surface& source, const Rect& area) {
    m_window->Area().Present(source, area);
}

void QtHost::SetWindowTitle(std::string_view caption, std::string_view application_title) {
    m_window->setWindowTitle(FromView(caption));
    m_application_title = FromView(application_title);
}

void QtHost::SetWindowSize(int outer_width, int outer_height) {
    m_window->SetBaseClientSize(
        QSize(std::max(outer_width - kFrameWidth, 1), std::max(outer_height - kFrameHeight, 1)));
}

// Positions are those of the window's outer frame, as Qt's move() and pos() take them.
void QtHost::MoveWindow(int x, int y) {
    m_window->move(x, y);
}

void QtHost::WindowPosition(int& x, int& y) {
    QPoint at = m_window->pos();
    x = at.x();
    y = at.y();
}

void QtHost::ShakeWindow(int dx, int dy) {
    m_window->Shake(dx, dy);
}

void QtHost::SetToolbarStripVisible(bool visible) {
    m_window->SetStripVisible(visible);
}

void QtHost::ApplyScreenLayout(ScreenLayout layout) {
    m_window->ApplyLayout(layout == ScreenLayout::FullScreen);
    // New window flags may give the window a new native window.
    WatchExposure();
    RequestRepaint();
}

// The desktop's display mode is left alone: the full-screen layout already covers the screen
// with the picture scaled to fit, which stands in for the exclusive 800 x 600 mode at any colour
// depth.
bool QtHost::EnterExclusiveDisplay(int /*bits_per_pixel*/) {
    RequestRepaint();
    return true;
}

void QtHost::LeaveExclusiveDisplay() {
    RequestRepaint();
}

void QtHost::ScreenSize(int& width, int& height) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QSize size = screen ? screen->size() : QSize(800, 600);
    width = size.width();
    height = size.height();
}

void QtHost::CloseWindow() {
    m_closed = true;
    m_window->AllowClose();
    m_window->close();
}

void QtHost::Speak(std::string_view text) {
    m_speech.Say(FromView(text));
}

void QtHost::UpdateToolbar(const ToolbarState& state) {
    m_window->Toolbar().Apply(state);
    m_window->Menu().Apply(state);
}

// The engine gives the place relative to the window's client area: (4, 21) is just under
// the 終了 button. The menu is tracked modally, like a system popup menu: the game waits until
// an item is chosen or the menu is dismissed; the chosen item arrives as a Command event.
void QtHost::ShowPopupMenu(int x, int y) {
    QPoint at = m_window->mapToGlobal(QPoint(x, y));
    RunModal([&] { return m_window->Menu().exec(at); });
}

// The recollection screen's cell menu, at a pixel of the 800 x 600 picture wherever the picture
// lies in the widget (window scale, full screen); tracked modally like the other popup menu.
void QtHost::ShowPopupMenu2(int x, int y) {
    DrawingArea& area = m_window->Area();
    QRect picture = area.PictureRect();
    QPoint local(picture.x() + x * picture.width() / DrawingArea::kWidth,
                 picture.y() + y * picture.height() / DrawingArea::kHeight);
    QMenu menu(m_window.get());
    menu.setObjectName("PopupMenu2");
    const std::pair<const char*, UiCommand> items[] = {{"登録", UiCommand::Popup2Register},
                                                       {"確認", UiCommand::Popup2Confirm}};
    for (const auto& [caption, command] : items) {
        UiCommand chosen = command;
        QObject::connect(menu.addAction(QString::fromUtf8(caption)), &QAction::triggered, &menu,
                         [this, chosen] {
                             InputEvent event;
                             event.kind = InputKind::Command;
                             event.command = chosen;
                             m_queue.Push(event);
                         });
    }
    QPoint at = area.mapToGlobal(local);
    RunModal([&] { return menu.exec(at); });
}

MessageResult QtHost::ShowMessageBox(std::string_view text, std::string_view caption,
                                     MessageIcon icon, MessageButtons buttons) {
    QWidget* parent = m_window->isVisible() ? m_window.get() : nullptr;
    QMessageBox box(BoxIcon(icon), FromView(caption), FromView(text),
                    buttons == MessageButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                        : QMessageBox::Ok,
                    parent);
    box.setDefaultButton(QMessageBox::Ok);
    if (buttons == MessageButtons::OkCancel && !QtSpeaksJapanese()) {
        box.button(QMessageBox::Ok)->setText(QString::fromUtf8(kYes));
        box.button(QMessageBox::Cancel)->setText(QString::fromUtf8(kNo));
    }
    int answer = RunModal([&] { return box.exec(); });
    return answer == QMessageBox::Ok ? MessageResult::Ok : MessageResult::Cancel;
}

template <typename Dialog>
int QtHost::RunDialog(Dialog& dialog) {
    if (m_dialog_watcher) {
        auto watch = m_dialog_watcher;
        QTimer::singleShot(0, &dialog, [watch, &dialog] { watch(dialog); });
    }
    return RunModal([&] { return dialog.exec(); });
}

// Centred over the main window by Qt, as a dialog with a parent is.
void QtHost::ShowSettingsDialog(SettingsDialog& engine) {
    SystemSettingsDialog dialog(engine, m_window->isVisible() ? m_window.get() : nullptr);
    RunDialog(dialog);
}

void QtHost::AskNames(NameRequest& request) {
    NameDialog dialog(request, m_window->isVisible() ? m_window.get() : nullptr);
    RunDialog(dialog);
}

std::optional<bool> QtHost::SaveScreenshot() {
    m_last_screenshot = ScreenshotPath(PicturesFolder(), QDateTime::currentDateTime());
    return m_window->Area().Image().save(m_last_screenshot, "PNG");
}

void QtHost::ReportError(std::string_view message) {
    QString caption =
        m_application_title.isEmpty() ? QStringLiteral("vespin") : m_application_title;
    ShowMessageBox(message, caption.toStdString(), MessageIcon::Error, MessageButtons::Ok);
}

bool QtHost::SoundOutputPresent() {
    return OpenAlSoundDevice::OutputPresent();
}

SoundDevice* QtHost::OpenSoundDevice(bool keep_playing_in_background) {
    if (m_sound) return m_sound.get();
    m_sound = m_open_sound ? m_open_sound(keep_playing_in_background) : nullptr;
    if (m_sound)
        m_sound->SetWindowActive(QGuiApplication::applicationState() == Qt::ApplicationActive);
    return m_sound.get();
}

void QtHost::CloseSoundDevice() {
    m_sound.reset();  // the device stops and frees its slots as it goes
}

bool QtHost::TryLockSingleInstance(std::string_view name) {
    auto lock = std::make_unique<QLockFile>(SingleInstanceLockPath(name));
    // Only a dead owner frees the lock, never its age: the game may run for days.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return false;
    m_lock = std::move(lock);
    return true;
}

}  // namespace vespin
