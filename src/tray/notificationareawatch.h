#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

struct xcb_connection_t;

// Which notification areas the desktop offers right now, followed without
// ever waiting on another program: a StatusNotifierItem host through the
// session bus (the watcher's coming and going, and its host property read
// asynchronously), an XEmbed tray through the owner of the X selection
// _NET_SYSTEM_TRAY_S<screen>. A panel that registers an item calls back into
// it before it answers, so a blocking call to the panel from this thread
// would wait on a thread that is waiting on the panel.
//
// A watch starts knowing nothing; followDesktop() makes it ask the desktop.
// Tests report the facts themselves.
class NotificationAreaWatch : public QObject, private QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit NotificationAreaWatch(QObject *parent = nullptr);
    ~NotificationAreaWatch() override;

    void followDesktop();

    // Whether the session bus has answered once, so the kind of area is known.
    bool isSettled() const { return m_settled; }
    bool hasStatusNotifierHost() const { return m_statusNotifierHost; }
    bool hasXEmbedTray() const { return m_xembedTray; }

    void reportStatusNotifierHost(bool present);
    void reportXEmbedTray(bool present);

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    void askStatusNotifierWatcher();

private:
    void followStatusNotifierHosts();
    void followXEmbedTrays();
    void lookUpXEmbedTray();
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override;

    bool m_settled = false;
    bool m_statusNotifierHost = false;
    bool m_xembedTray = false;
    int m_question = 0; // only the answer to the latest question counts

    xcb_connection_t *m_x = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_selection = 0;
    std::uint32_t m_manager = 0;
    std::uint32_t m_trayOwner = 0;
};
