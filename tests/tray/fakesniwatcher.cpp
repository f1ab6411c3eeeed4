// A StatusNotifierWatcher with a registered host, as a desktop that shows
// StatusNotifierItems offers one. Like the panels that host one, it reads the
// item's properties and its menu with blocking calls before it answers the
// registration, so an item that makes a blocking call to the watcher at that
// moment freezes both. Prints the bus name of each item that registers, one a
// line, once it has been read, so a test can talk to the item.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QStringList>

#include <cstdio>

class Watcher : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ registeredItems)

public:
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList registeredItems() const { return m_items; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString &service)
    {
        // An item may give its object path only; its bus name is the caller's.
        const QString name = service.startsWith(QLatin1Char('/')) ? message().service() : service;
        readItem(name);
        m_items.append(name);
        std::printf("%s\n", qPrintable(name));
        std::fflush(stdout);
        Q_EMIT StatusNotifierItemRegistered(name);
    }
    void RegisterStatusNotifierHost(const QString &) {}

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString &service);
    void StatusNotifierItemUnregistered(const QString &service);
    void StatusNotifierHostRegistered();

private:
    static QDBusMessage call(const QString &service, const QString &path, const QString &method,
                             const QVariantList &arguments)
    {
        const bool menu = method == QLatin1String("GetLayout");
        QDBusMessage request =
            QDBusMessage::createMethodCall(service, path,
                                           menu ? QStringLiteral("com.canonical.dbusmenu")
                                                : QStringLiteral("org.freedesktop.DBus.Properties"),
                                           method);
        request.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(request);
        if (reply.type() == QDBusMessage::ErrorMessage)
            std::fprintf(stderr, "%s on the item failed: %s\n", qPrintable(method),
                         qPrintable(reply.errorMessage()));
        return reply;
    }

    static void readItem(const QString &name)
    {
        const QDBusMessage properties =
            call(name, QStringLiteral("/StatusNotifierItem"), QStringLiteral("GetAll"),
                 {QStringLiteral("org.kde.StatusNotifierItem")});
        const QVariantMap values = properties.arguments().isEmpty()
                                       ? QVariantMap()
                                       : qdbus_cast<QVariantMap>(properties.arguments().first());
        const QString menu = values.value(QStringLiteral("Menu")).value<QDBusObjectPath>().path();
        if (!menu.isEmpty())
            call(name, menu, QStringLiteral("GetLayout"), {0, -1, QStringList()});
    }

    QStringList m_items;
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QDBusConnection bus = QDBusConnection::sessionBus();
    Watcher watcher;
    if (!bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                                QDBusConnection::ExportAllProperties) ||
        !bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"))) {
        std::fprintf(stderr, "cannot register the watcher on the session bus\n");
        return 1;
    }
    return app.exec();
}

#include "fakesniwatcher.moc"
