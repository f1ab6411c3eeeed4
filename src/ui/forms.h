#pragma once

#include "form.h"
#include "services.h"
#include "windowkind.h"

#include <QObject>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <vector>

// The window lifetime rules: every window kind exists at most once; loading a
// window creates it and runs its load handling unless it is loaded already,
// unloading runs its unload handling and destroys it, and ending the program
// stops everything with no unload handling at all.
class Forms : public QObject
{
    Q_OBJECT

public:
    using Factory = std::function<std::unique_ptr<QWidget>(Forms &)>;

    explicit Forms(Services &services, QObject *parent = nullptr);
    ~Forms() override;

    Services &services() const { return m_services; }

    // Which class makes a kind of window; the wiring registers every kind.
    void registerFactory(WindowKind kind, Factory factory);
    template <class T> void registerWindow()
    {
        registerFactory(T::kind, [](Forms &forms) { return std::make_unique<T>(forms); });
    }

    // The window of kind T (a window class, or a link a window implements),
    // loaded first if it is not.
    template <class T> T *load() { return dynamic_cast<T *>(load(T::kind)); }
    Form *load(WindowKind kind);

    template <class T> bool isLoaded() const { return isLoaded(T::kind); }
    bool isLoaded(WindowKind kind) const { return find(kind) != nullptr; }
    template <class T> void unload() { unload(T::kind); }
    void unload(WindowKind kind);
    void unload(const Form *form);

    void endProgram();
    bool hasEnded() const { return m_ended; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        WindowKind kind;
        std::unique_ptr<QWidget> widget;
        Form *form;
        bool unloading = false;
    };

    Form *find(WindowKind kind) const;
    std::vector<Entry>::iterator entryOf(WindowKind kind);

    Services &m_services;
    std::map<WindowKind, Factory> m_factories;
    std::vector<Entry> m_entries;
    bool m_ended = false;
};
