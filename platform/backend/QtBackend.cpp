// The Qt backend: one native window per top-level window showing its surface,
// Qt's input turned into our messages, and Qt's events run inside our message waits.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QEventLoop>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QRasterWindow>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>

#include "win32/systime.h"
#include "gdi/QtApp.h"
#include "backend/QtKeys.h"
#include "gdi/Surface.h"
#include "user/Backend.h"
#include "user/NativeDrop.h"
#include "user/NativeLink.h"
#include "win32/codepage.h"
#include "win32/cursors.h"
#include "win32/input.h"
#include "win32/usersys.h"
#include "mivo/testing/input.h"
#include "mivo/testing/native.h"
#include "mivo/dragtext.h"
#include "win32/ole.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <string>

namespace mivo {

namespace {

QString FromCp949(const std::string& text)
{
    if (text.empty())
        return QString();
    int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), nullptr, 0);
    std::u16string w((size_t)std::max(n, 0), u'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), (int)text.size(), (LPWSTR)&w[0], n);
    return QString::fromUtf16(w.data(), (qsizetype)w.size());
}

std::string ToCp949(const QString& text)
{
    std::u16string w = text.toStdU16String();
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)w.c_str(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)std::max(n, 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, (LPCWSTR)w.c_str(), (int)w.size(), &out[0], n, nullptr, nullptr);
    return out;
}

// The part of a top-level window that native decorations replace: caption and frame.
RECT NativeFrameInsets(DWORD style, DWORD exStyle)
{
    if ((style & WS_CAPTION) != WS_CAPTION)
        return RECT{0, 0, 0, 0};
    return NonClientInsets(style & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME | WS_BORDER),
                           exStyle & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW), false);
}

// The window we last asked the native side to activate, and when. Focus
// notifications for other windows that arrive before that request is
// answered are stale: following them would bounce activation back and forth.
HWND g_requestedActive = nullptr;
DWORD g_requestedAt = 0;
const DWORD kActivationAnswerMs = 500;

bool FocusInIsCurrent(HWND hwnd)
{
    if (g_requestedActive == nullptr)
        return true;
    if (g_requestedActive == hwnd || GetTickCount() - g_requestedAt > kActivationAnswerMs) {
        g_requestedActive = nullptr;
        return true;
    }
    return false;
}

// Menus, dropped lists and tips: pop-ups the desktop must not manage, so their owner stays active.
bool IsUnmanagedPopup(DWORD style, DWORD exStyle)
{
    return (style & WS_POPUP) && (style & WS_CAPTION) != WS_CAPTION &&
           (exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE));
}

// A captioned window the user cannot size: dialogs and message boxes without a sizing frame.
bool IsFixedSize(DWORD style, DWORD exStyle)
{
    return (style & WS_CAPTION) == WS_CAPTION && !(style & WS_THICKFRAME) && !IsUnmanagedPopup(style, exStyle);
}

// What the desktop's window manager is told: owned windows are dialogs kept above their owner,
// pop-ups bypass it, and a captioned window shows only the buttons its style asks for.
Qt::WindowFlags NativeFlags(DWORD style, DWORD exStyle, bool owned)
{
    if (IsUnmanagedPopup(style, exStyle)) {
        Qt::WindowFlags f = Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint;
        if (exStyle & WS_EX_NOACTIVATE)
            f |= Qt::WindowDoesNotAcceptFocus;
        if (exStyle & WS_EX_TOPMOST)
            f |= Qt::WindowStaysOnTopHint;
        return f;
    }
    Qt::WindowFlags f = owned ? Qt::Dialog : Qt::Window;
    if (exStyle & WS_EX_TOOLWINDOW)
        f |= Qt::Tool;
    if (exStyle & WS_EX_TOPMOST)
        f |= Qt::WindowStaysOnTopHint;
    if ((style & WS_CAPTION) != WS_CAPTION)
        return f | Qt::FramelessWindowHint;
    f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (style & WS_SYSMENU)
        f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (style & WS_MINIMIZEBOX)
        f |= Qt::WindowMinimizeButtonHint;
    if (style & WS_MAXIMIZEBOX)
        f |= Qt::WindowMaximizeButtonHint;
    return f;
}

class NativeWindow : public QRasterWindow {
public:
    explicit NativeWindow(HWND hwnd) : m_hwnd(hwnd) {}

    HWND Hwnd() const { return m_hwnd; }

    // Geometry and look from our window's state.
    void Apply(const RECT& screen, bool visible, DWORD style, DWORD exStyle, const std::string& title)
    {
        m_applying = true;
        if (!(style & WS_MINIMIZE))
            m_screen = screen;
        m_insets = NativeFrameInsets(style, exStyle);
        Qt::WindowFlags flags = NativeFlags(style, exStyle, transientParent() != nullptr);
        if (this->flags() != flags)
            setFlags(flags);
        // A minimized window keeps its native place; the system shows it as an icon.
        QRect g = NativeGeometry();
        bool fixed = IsFixedSize(style, exStyle);
        if (!(style & WS_MINIMIZE) && g.width() > 0 && g.height() > 0 && geometry() != g) {
            Unconstrain();
            setGeometry(g);
        }
        if (fixed && g.width() > 0 && g.height() > 0 && (minimumSize() != g.size() || maximumSize() != g.size())) {
            setMinimumSize(g.size());
            setMaximumSize(g.size());
        } else if (!fixed) {
            Unconstrain();
        }
        QString t = FromCp949(title);
        if (this->title() != t)
            setTitle(t);
        bool minimized = (style & WS_MINIMIZE) != 0;
        if (visible && !minimized && (!isVisible() || windowStates() & Qt::WindowMinimized)) {
            setWindowStates(Qt::WindowNoState);
            show();
        } else if (visible && minimized) {
            showMinimized();
        } else if (!visible && isVisible()) {
            hide();
        }
        ApplyFullScreen(visible && !minimized && CoversScreen(style, exStyle));
        m_applying = false;
    }

    // A captionless pop-up over the whole screen (a slide show) asks the desktop for its
    // full-screen state, else the window manager keeps its panels above it.
    bool CoversScreen(DWORD style, DWORD exStyle) const
    {
        if (!(style & WS_POPUP) || (style & WS_CAPTION) == WS_CAPTION || IsUnmanagedPopup(style, exStyle))
            return false;
        QScreen* display = QGuiApplication::primaryScreen();
        if (!display)
            return false;
        QRect whole = display->geometry();
        return m_screen.left <= whole.left() && m_screen.top <= whole.top() &&
               m_screen.right >= whole.left() + whole.width() && m_screen.bottom >= whole.top() + whole.height();
    }

    void ApplyFullScreen(bool fullScreen)
    {
        bool now = (windowStates() & Qt::WindowFullScreen) != 0;
        if (fullScreen && !now)
            setWindowStates(windowStates() | Qt::WindowFullScreen);
        else if (!fullScreen && now)
            setWindowStates(windowStates() & ~Qt::WindowFullScreen);
    }

    QRect NativeGeometry() const
    {
        return QRect(m_screen.left + m_insets.left, m_screen.top + m_insets.top,
                     (m_screen.right - m_screen.left) - m_insets.left - m_insets.right,
                     (m_screen.bottom - m_screen.top) - m_insets.top - m_insets.bottom);
    }

    // Window-local surface coordinates to native-local ones.
    QRect FromSurface(const RECT& r) const
    {
        return QRect(r.left - m_insets.left, r.top - m_insets.top, r.right - r.left, r.bottom - r.top);
    }

    POINT ToScreen(const QPointF& local) const
    {
        return POINT{m_screen.left + m_insets.left + (LONG)local.x(), m_screen.top + m_insets.top + (LONG)local.y()};
    }

    void ShowCursorShape(HCURSOR cursor);

    // Sizes the user may give the window: any.
    void Unconstrain()
    {
        const int kLargest = (1 << 24) - 1;  // Qt's own limit for window sizes
        const QSize none(0, 0), any(kLargest, kLargest);
        if (minimumSize() != none)
            setMinimumSize(none);
        if (maximumSize() != any)
            setMaximumSize(any);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        if ((windowStates() & Qt::WindowMinimized) || !isExposed())
            return;
        std::shared_ptr<Surface> surface = SurfaceOfWindow(m_hwnd);
        QPainter painter(this);
        if (!surface) {
            painter.fillRect(event->rect(), Qt::white);
            return;
        }
        std::lock_guard<std::recursive_mutex> guard(surface->lock);
        if (surface->width <= 0 || surface->height <= 0)
            return;
        QImage image((const uchar*)surface->pixels.data(), surface->width, surface->height, surface->width * 4,
                     QImage::Format_RGB32);
        QRect target = event->rect();
        painter.drawImage(target, image, target.translated(m_insets.left, m_insets.top));
    }

    bool event(QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::Close:
            PostMessage(m_hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            e->ignore();
            return true;
        case QEvent::FocusIn:
            // A disabled window is never activated: its modal pop-up takes the keyboard instead.
            if (!IsWindowEnabled(m_hwnd)) {
                if (HWND popup = EnabledPopupOf(m_hwnd))
                    if (auto* w = static_cast<QWindow*>(static_cast<NativeWindow*>(NativeOfWindow(popup))))
                        w->requestActivate();
                break;
            }
            // Windows that never take activation (dropped lists, tips) keep it where it is.
            if ((GetWindowLongPtr(m_hwnd, GWL_EXSTYLE) & WS_EX_NOACTIVATE) == 0 && FocusInIsCurrent(m_hwnd) &&
                GetActiveWindow() != m_hwnd)
                SetActiveWindow(m_hwnd);
            break;
        case QEvent::FocusOut:
            // The program as a whole lost the keyboard to another one.
            if (QGuiApplication::focusWindow() == nullptr && GetActiveWindow() == m_hwnd)
                SetActiveWindow(nullptr);
            break;
        case QEvent::Leave:
            InjectMouseLeftWindows();
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            DesktopDrop(static_cast<QDropEvent*>(e));
            return true;
        case QEvent::DragLeave:
            DeliverNativeDrop(NativeDropStep::Leave, POINT{0, 0}, std::string());
            return true;
        case QEvent::InputMethodQuery: {
            auto* q = static_cast<QInputMethodQueryEvent*>(e);
            if (q->queries() & Qt::ImEnabled)
                q->setValue(Qt::ImEnabled, true);
            q->accept();
            return true;
        }
        case QEvent::InputMethod: {
            // A committed syllable ends the composition and arrives as typed
            // text; what is still being composed is shown by the focus.
            auto* im = static_cast<QInputMethodEvent*>(e);
            if (!im->commitString().isEmpty()) {
                InjectComposition(std::string());
                InjectText(ToCp949(im->commitString()));
            }
            InjectComposition(ToCp949(im->preeditString()));
            e->accept();
            return true;
        }
        default:
            break;
        }
        return QRasterWindow::event(e);
    }

    void resizeEvent(QResizeEvent* e) override
    {
        QRasterWindow::resizeEvent(e);
        FollowNativeGeometry();
    }

    void moveEvent(QMoveEvent* e) override
    {
        QRasterWindow::moveEvent(e);
        FollowNativeGeometry();
    }

    void mousePressEvent(QMouseEvent* e) override { Button(e, true); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { Button(e, true); }
    void mouseReleaseEvent(QMouseEvent* e) override { Button(e, false); }
    void mouseMoveEvent(QMouseEvent* e) override { InjectMouseMove(ToScreen(e->position())); }

    void wheelEvent(QWheelEvent* e) override
    {
        int delta = e->angleDelta().y();
        if (delta)
            InjectMouseWheel(ToScreen(e->position()), delta);
    }

    void keyPressEvent(QKeyEvent* e) override { Key(e, true); }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        // Held keys repeat as key-downs only, as on Windows.
        if (!e->isAutoRepeat())
            Key(e, false);
    }

private:
    // Files dragged from another program: the drop targets see them as a dragged list. The
    // other program always makes a copy: its files are never moved away under it.
    void DesktopDrop(QDropEvent* e)
    {
        std::string text = DroppedList(e->mimeData());
        NativeDropStep step = e->type() == QEvent::Drop ? NativeDropStep::Drop : NativeDropStep::Over;
        DWORD effect = text.empty() ? DROPEFFECT_NONE : DeliverNativeDrop(step, ToScreen(e->position()), text);
        if (effect == DROPEFFECT_NONE || !(e->possibleActions() & Qt::CopyAction)) {
            e->ignore();
            return;
        }
        e->setDropAction(Qt::CopyAction);
        e->accept();
    }

    static std::string DroppedList(const QMimeData* data)
    {
        if (!data || !data->hasUrls())
            return std::string();
        std::vector<std::string> urls;
        for (const QUrl& url : data->urls())
            urls.push_back(url.toString(QUrl::FullyEncoded).toStdString());
        return FileUrlsToDragText(urls);
    }

    void Button(QMouseEvent* e, bool down)
    {
        MouseButton b = e->button() == Qt::LeftButton    ? MouseButton::Left
                        : e->button() == Qt::RightButton ? MouseButton::Right
                        : e->button() == Qt::MiddleButton ? MouseButton::Middle
                                                          : MouseButton::None;
        if (b != MouseButton::None)
            InjectMouseButton(ToScreen(e->position()), b, down);
    }

    void Key(QKeyEvent* e, bool down)
    {
        UINT vk = VirtualKeyOfQtKey(e->key(), e->modifiers());
        if (vk)
            InjectKey(vk, down);
        // Characters outside plain ASCII do not come from TranslateMessage.
        if (down && !e->text().isEmpty()) {
            bool ascii = true;
            for (QChar c : e->text())
                ascii = ascii && c.unicode() < 0x80;
            if (!ascii || !vk)
                InjectText(ToCp949(e->text()));
        }
    }

    // The user moved or sized the native window: our window follows.
    void FollowNativeGeometry()
    {
        if (m_applying || !isVisible())
            return;
        QRect g = geometry();
        if (g == NativeGeometry() || g.width() <= 0 || g.height() <= 0)
            return;
        int x = g.x() - m_insets.left, y = g.y() - m_insets.top;
        int cx = g.width() + m_insets.left + m_insets.right, cy = g.height() + m_insets.top + m_insets.bottom;
        SetWindowPos(m_hwnd, nullptr, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND m_hwnd;
    RECT m_screen = {0, 0, 0, 0};
    RECT m_insets = {0, 0, 0, 0};
    bool m_applying = false;
};

Qt::CursorShape ShapeOfStockCursor(int id)
{
    switch (id) {
    case 32513: return Qt::IBeamCursor;
    case 32514: return Qt::WaitCursor;
    case 32515: return Qt::CrossCursor;
    case 32516: return Qt::UpArrowCursor;
    case 32640: case 32646: return Qt::SizeAllCursor;
    case 32642: return Qt::SizeFDiagCursor;
    case 32643: return Qt::SizeBDiagCursor;
    case 32644: return Qt::SizeHorCursor;
    case 32645: return Qt::SizeVerCursor;
    case 32648: return Qt::ForbiddenCursor;
    case 32649: return Qt::PointingHandCursor;
    case 32650: return Qt::BusyCursor;
    case 32651: return Qt::WhatsThisCursor;
    }
    return Qt::ArrowCursor;
}

void NativeWindow::ShowCursorShape(HCURSOR cursor)
{
    QCursor shape = CursorForNative(cursor, ShapeOfStockCursor);
    setCursor(shape);
}

// Our waits run Qt's event loop on the thread that owns the QGuiApplication.
class QtWaiter : public QueueWaiter {
public:
    QtWaiter() : m_dispatcher(QAbstractEventDispatcher::instance(QThread::currentThread()))
    {
        m_timer.setSingleShot(true);
    }

    void Wait(int timeoutMs) override
    {
        if (timeoutMs == 0) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            return;
        }
        if (timeoutMs > 0)
            m_timer.start(timeoutMs);
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        m_timer.stop();
    }

    void Wake() override
    {
        if (m_dispatcher)
            m_dispatcher->wakeUp();
    }

    void Poll() override
    {
        // Only the owner thread may run Qt's events; re-entry from a handler is allowed.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }

private:
    QAbstractEventDispatcher* m_dispatcher;
    QTimer m_timer;
};

std::function<DWORD(const RecordedDesktopDrag&)>& DesktopDragRecorder()
{
    static std::function<DWORD(const RecordedDesktopDrag&)> recorder;
    return recorder;
}

class QtBackend : public NativeBackend {
public:
    QtBackend() : m_thread(CurrentThreadId()) {}

    DWORD Thread() const { return m_thread; }

    void InstallWaiter()
    {
        if (!m_waiter)
            m_waiter = new QtWaiter;
        InstallQueueWaiter(m_waiter);
    }

    bool GrabScreen(const RECT& area, std::vector<uint32_t>& pixels) override
    {
        // Only an X11 display can be read back; Qt's grabs belong to its own thread.
        if (CurrentThreadId() != m_thread || QGuiApplication::platformName() != QLatin1String("xcb"))
            return false;
        QScreen* screen = QGuiApplication::primaryScreen();
        int width = area.right - area.left, height = area.bottom - area.top;
        if (!screen || width <= 0 || height <= 0)
            return false;
        QImage image = screen->grabWindow(0, area.left, area.top, width, height).toImage();
        if (image.width() != width || image.height() != height)
            return false;
        image = image.convertToFormat(QImage::Format_RGB32);
        pixels.resize((size_t)width * (size_t)height);
        for (int y = 0; y < height; ++y) {
            const uint32_t* row = reinterpret_cast<const uint32_t*>(image.constScanLine(y));
            for (int x = 0; x < width; ++x)
                pixels[(size_t)y * width + x] = row[x] & 0x00FFFFFF;
        }
        return true;
    }

    bool ScreenSize(SIZE* size) override
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return false;
        QRect g = screen->geometry();
        size->cx = g.width();
        size->cy = g.height();
        return g.width() > 0 && g.height() > 0;
    }

    void* CreateNative(HWND hwnd) override
    {
        // Qt windows live on the thread that runs Qt; other threads' windows stay without one.
        if (CurrentThreadId() != m_thread)
            return nullptr;
        return new NativeWindow(hwnd);
    }

    void DestroyNative(void* native) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        if (CurrentThreadId() == m_thread)
            delete w;
        else
            QMetaObject::invokeMethod(w, [w] { delete w; }, Qt::QueuedConnection);
    }

    void UpdateNative(void* native, const RECT& screenRect, bool visible, DWORD style, DWORD exStyle,
                      const std::string& title) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        if (CurrentThreadId() == m_thread) {
            w->Apply(screenRect, visible, style, exStyle, title);
            return;
        }
        QMetaObject::invokeMethod(
            w, [w, screenRect, visible, style, exStyle, title] { w->Apply(screenRect, visible, style, exStyle, title); },
            Qt::QueuedConnection);
    }

    void SetNativeOwner(void* native, void* ownerNative) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        // Queued from another thread, the owner may be gone before this runs.
        QPointer<QWindow> owner = static_cast<NativeWindow*>(ownerNative);
        bool hasOwner = ownerNative != nullptr;
        auto apply = [w, owner, hasOwner] {
            if (hasOwner && !owner)
                return;
            if (w->transientParent() != owner.data())
                w->setTransientParent(owner.data());
        };
        if (CurrentThreadId() == m_thread) {
            apply();
            return;
        }
        QMetaObject::invokeMethod(w, apply, Qt::QueuedConnection);
    }

    void SetNativeOpacity(void* native, double opacity) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        if (CurrentThreadId() == m_thread) {
            if (w->opacity() != opacity)
                w->setOpacity(opacity);
            return;
        }
        QMetaObject::invokeMethod(
            w, [w, opacity] { w->setOpacity(opacity); }, Qt::QueuedConnection);
    }

    void FlushNative(void* native, const RECT& dirty) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        if (CurrentThreadId() == m_thread) {
            w->update(w->FromSurface(dirty));
            return;
        }
        QMetaObject::invokeMethod(
            w, [w, dirty] { w->update(w->FromSurface(dirty)); }, Qt::QueuedConnection);
    }

    void ActivateNative(void* native) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        if (CurrentThreadId() == m_thread && w->isVisible()) {
            g_requestedActive = w->Hwnd();
            g_requestedAt = GetTickCount();
            w->requestActivate();
        }
    }

    DWORD RunNativeDrag(const std::string& cp949Text, DWORD allowed) override
    {
        if (DesktopDragRecorder()) {
            RecordedDesktopDrag drag{FromCp949(cp949Text).toStdString(), DragTextToFileUrls(cp949Text)};
            return DesktopDragRecorder()(drag) & allowed;
        }
        if (CurrentThreadId() != m_thread || !qApp)
            return DROPEFFECT_NONE;
        auto* data = new QMimeData;
        data->setText(FromCp949(cp949Text));
        QList<QUrl> urls;
        for (const std::string& url : DragTextToFileUrls(cp949Text))
            urls.append(QUrl::fromEncoded(QByteArray::fromStdString(url)));
        if (!urls.isEmpty())
            data->setUrls(urls);
        Qt::DropActions actions;
        if (allowed & DROPEFFECT_COPY)
            actions |= Qt::CopyAction;
        if (allowed & DROPEFFECT_MOVE)
            actions |= Qt::MoveAction;
        if (allowed & DROPEFFECT_LINK)
            actions |= Qt::LinkAction;
        QDrag drag(qApp);
        drag.setMimeData(data);
        Qt::DropAction done = drag.exec(actions, (allowed & DROPEFFECT_COPY) ? Qt::CopyAction : Qt::IgnoreAction);
        switch (done) {
        case Qt::CopyAction: return DROPEFFECT_COPY;
        case Qt::MoveAction: return DROPEFFECT_MOVE;
        case Qt::LinkAction: return DROPEFFECT_LINK;
        default: return DROPEFFECT_NONE;
        }
    }

    // Only a desktop with its own drag and drop takes drags from us: offscreen and minimal
    // displays would run a drag loop of their own that nothing ends.
    bool CanDragToDesktop() override
    {
        if (DesktopDragRecorder())
            return true;
        QString name = QGuiApplication::platformName();
        return name != "offscreen" && name != "minimal";
    }

    bool StartNativeMoveSize(void* native, int hit) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        if (CurrentThreadId() != m_thread || !w->isVisible())
            return false;
        if (hit == HTCAPTION)
            return w->startSystemMove();
        Qt::Edges edges;
        if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
            edges |= Qt::LeftEdge;
        if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
            edges |= Qt::RightEdge;
        if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
            edges |= Qt::TopEdge;
        if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
            edges |= Qt::BottomEdge;
        return edges && w->startSystemResize(edges);
    }

    void SetNativeCursor(void* native, HCURSOR cursor) override
    {
        auto* w = static_cast<NativeWindow*>(native);
        if (CurrentThreadId() == m_thread)
            w->ShowCursorShape(cursor);
    }

private:
    DWORD m_thread;
    QtWaiter* m_waiter = nullptr;
};

std::atomic<QtBackend*> g_qt{nullptr};
std::atomic<bool> g_disabled{false};

bool IsProcessMainThread()
{
    return (pid_t)syscall(SYS_gettid) == getpid();
}

}  // namespace

// Starts Qt on first need from the thread that should own it: the thread that
// already runs the QGuiApplication, or else the process's main thread.
NativeBackend* StartQtBackend()
{
    if (g_disabled.load())
        return nullptr;
    if (QtBackend* b = g_qt.load())
        return b;
    QCoreApplication* app = QCoreApplication::instance();
    if (app ? QThread::currentThread() != app->thread() : !IsProcessMainThread())
        return nullptr;
    EnsureQtApplication();
    auto* b = new QtBackend;
    QtBackend* expected = nullptr;
    if (!g_qt.compare_exchange_strong(expected, b)) {
        delete b;
        return expected;
    }
    b->InstallWaiter();
    return b;
}

NativeBackend* StartedQtBackend()
{
    return g_qt.load();
}

void DisableQtBackend()
{
    g_disabled.store(true);
}

// The native window of hwnd, asked from the backend's own thread only (null elsewhere, or
// when the backend does not run): its Qt objects are not to be touched from another thread.
static NativeWindow* NativeOnBackendThread(HWND hwnd)
{
    QtBackend* b = g_qt.load();
    if (!b || CurrentThreadId() != b->Thread())
        return nullptr;
    return static_cast<NativeWindow*>(NativeOfWindow(hwnd));
}

HWND NativeTransientOwner(HWND hwnd)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    auto* owner = w ? dynamic_cast<NativeWindow*>(w->transientParent()) : nullptr;
    return owner ? owner->Hwnd() : nullptr;
}

bool GetNativeLook(HWND hwnd, NativeLook* look)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    if (!w)
        return false;
    Qt::WindowFlags f = w->flags();
    look->dialog = w->type() == Qt::Dialog || w->type() == Qt::Tool;
    look->unmanaged = (f & Qt::BypassWindowManagerHint) != 0;
    look->takesFocus = !(f & Qt::WindowDoesNotAcceptFocus);
    look->fixedSize = w->minimumSize() == w->maximumSize();
    look->fullScreen = (w->windowStates() & Qt::WindowFullScreen) != 0;
    bool framed = !(f & Qt::FramelessWindowHint), chosen = (f & Qt::CustomizeWindowHint) != 0;
    look->minimizeButton = framed && (!chosen || (f & Qt::WindowMinimizeButtonHint));
    look->maximizeButton = framed && (!chosen || (f & Qt::WindowMaximizeButtonHint));
    look->closeButton = framed && (!chosen || (f & Qt::WindowCloseButtonHint));
    return true;
}

bool GrabNativeWindowPixels(HWND hwnd, std::vector<uint32_t>& pixels, int& width, int& height)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    if (!w || !w->isVisible())
        return false;
    // A display may take a moment to map the window.
    for (int i = 0; i < 200 && !w->isExposed(); ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    if (!w->isExposed())
        return false;
    // Paint what is pending now instead of at the next update tick.
    QCoreApplication::processEvents();
    QEvent update(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(w, &update);
    QScreen* screen = w->screen();
    if (!screen)
        return false;
    QPixmap shot = screen->grabWindow(w->winId());
    if (shot.isNull())
        return false;
    QImage img = shot.toImage().convertToFormat(QImage::Format_RGB32);
    width = img.width();
    height = img.height();
    pixels.resize((size_t)width * (size_t)height);
    for (int y = 0; y < height; ++y) {
        const uint32_t* row = (const uint32_t*)img.constScanLine(y);
        for (int x = 0; x < width; ++x)
            pixels[(size_t)y * (size_t)width + (size_t)x] = row[x] & 0x00FFFFFF;
    }
    return true;
}

}  // namespace mivo

namespace mivo {

bool SimulateNativeMouseButton(HWND hwnd, POINT nativeLocal, bool down)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    if (!w)
        return false;
    QPointF local(nativeLocal.x, nativeLocal.y);
    QPointF global = w->mapToGlobal(local);
    QMouseEvent e(down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, local, global, Qt::LeftButton,
                  down ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
    return true;
}

void RecordDesktopDrags(std::function<DWORD(const RecordedDesktopDrag&)> recorder)
{
    DesktopDragRecorder() = std::move(recorder);
}

bool SimulateNativeFileDrop(HWND hwnd, POINT nativeLocal, const std::vector<std::string>& fileUrls, bool drop)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    if (!w)
        return false;
    QMimeData data;
    QList<QUrl> urls;
    for (const std::string& url : fileUrls)
        urls.append(QUrl::fromEncoded(QByteArray::fromStdString(url)));
    data.setUrls(urls);
    QPointF local(nativeLocal.x, nativeLocal.y);
    if (drop) {
        QDropEvent e(local, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &e);
        return e.isAccepted();
    }
    QDragEnterEvent e(local.toPoint(), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
    return e.isAccepted();
}

bool SimulateNativeFocusIn(HWND hwnd)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    if (!w)
        return false;
    QFocusEvent e(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(w, &e);
    return true;
}

bool SimulateNativeKeyText(HWND hwnd, const std::string& cp949)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    if (!w)
        return false;
    // Text committed by the input method, as Korean typing arrives.
    QInputMethodEvent e;
    e.setCommitString(FromCp949(cp949));
    QCoreApplication::sendEvent(w, &e);
    return true;
}

bool SimulateNativeComposition(HWND hwnd, const std::string& preedit, const std::string& commit)
{
    NativeWindow* w = NativeOnBackendThread(hwnd);
    if (!w)
        return false;
    QInputMethodEvent e(FromCp949(preedit), {});
    if (!commit.empty())
        e.setCommitString(FromCp949(commit));
    QCoreApplication::sendEvent(w, &e);
    return true;
}

}  // namespace mivo
