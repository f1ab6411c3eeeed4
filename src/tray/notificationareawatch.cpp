#include "notificationareawatch.h"

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");

template <class T> using XReply = std::unique_ptr<T, decltype(&std::free)>;

std::uint32_t internAtom(xcb_connection_t *x, const QByteArray &name)
{
    XReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(x, xcb_intern_atom(x, false, name.size(), name.constData()), nullptr),
        &std::free);
    return reply ? reply->atom : 0;
}

} // namespace

NotificationAreaWatch::NotificationAreaWatch(QObject *parent) : QObject(parent) {}

NotificationAreaWatch::~NotificationAreaWatch()
{
    if (m_x)
        qApp->removeNativeEventFilter(this);
}

void NotificationAreaWatch::followDesktop()
{
    followXEmbedTrays();
    followStatusNotifierHosts();
}

void NotificationAreaWatch::reportStatusNotifierHost(bool present)
{
    if (m_settled && present == m_statusNotifierHost)
        return;
    m_settled = true;
    m_statusNotifierHost = present;
    Q_EMIT changed();
}

void NotificationAreaWatch::reportXEmbedTray(bool present)
{
    if (present == m_xembedTray)
        return;
    m_xembedTray = present;
    Q_EMIT changed();
}

// The watcher comes and goes with its panel; a host may register with a
// watcher that is already there, so the watcher's own signals count too.
void NotificationAreaWatch::followStatusNotifierHosts()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        reportStatusNotifierHost(false);
        return;
    }
    auto *owners = new QDBusServiceWatcher(watcherService, bus,
                                           QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(owners, &QDBusServiceWatcher::serviceOwnerChanged, this,
            &NotificationAreaWatch::askStatusNotifierWatcher);
    for (const auto *signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"})
        bus.connect(QString(), watcherPath, watcherService, QLatin1String(signal), this,
                    SLOT(askStatusNotifierWatcher()));
    askStatusNotifierWatcher();
}

void NotificationAreaWatch::askStatusNotifierWatcher()
{
    QDBusMessage get = QDBusMessage::createMethodCall(
        watcherService, watcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
        QStringLiteral("Get"));
    get << watcherService << QStringLiteral("IsStatusNotifierHostRegistered");
    get.setAutoStartService(false); // a missing watcher is an answer, not a reason to start one
    const int question = ++m_question;
    auto *call = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(get), this);
    connect(call, &QDBusPendingCallWatcher::finished, this, [this, question, call] {
        call->deleteLater();
        if (question != m_question)
            return;
        const QDBusPendingReply<QDBusVariant> reply = *call;
        reportStatusNotifierHost(!reply.isError() && reply.value().variant().toBool());
    });
}

void NotificationAreaWatch::followXEmbedTrays()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    m_x = x11->connection();
    char *host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0)
        screen = 0;
    std::free(host);
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(m_x));
    for (int i = 0; i < screen && roots.rem > 1; ++i)
        xcb_screen_next(&roots);
    m_root = roots.data->root;
    m_selection = internAtom(m_x, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen));
    m_manager = internAtom(m_x, "MANAGER");
    qApp->installNativeEventFilter(this);
    lookUpXEmbedTray();
}

// Asks the X server who owns the tray selection, and asks to hear when that
// window goes away.
void NotificationAreaWatch::lookUpXEmbedTray()
{
    XReply<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(m_x, xcb_get_selection_owner(m_x, m_selection), nullptr),
        &std::free);
    m_trayOwner = reply ? reply->owner : 0;
    if (m_trayOwner) {
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_x, m_trayOwner, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_x);
    }
    reportXEmbedTray(m_trayOwner != 0);
}

// A new tray announces itself with a MANAGER message on the root window; an
// old one is gone when its window is destroyed. The look-up waits for Qt to
// finish with the event.
bool NotificationAreaWatch::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    bool changed = false;
    switch (event->response_type & 0x7f) {
    case XCB_CLIENT_MESSAGE: {
        const auto *client = reinterpret_cast<const xcb_client_message_event_t *>(event);
        changed = client->window == m_root && client->type == m_manager &&
                  client->data.data32[1] == m_selection;
        break;
    }
    case XCB_DESTROY_NOTIFY:
        changed =
            m_trayOwner &&
            reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window == m_trayOwner;
        break;
    default:
        break;
    }
    if (changed)
        QMetaObject::invokeMethod(this, &NotificationAreaWatch::lookUpXEmbedTray,
                                  Qt::QueuedConnection);
    return false;
}
