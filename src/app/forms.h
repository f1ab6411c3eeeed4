#pragma once

#include "form.h"
#include "services.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <typeindex>
#include <vector>

// The window lifetime rules: every window kind exists at most once; referring
// to a window loads it, unloading runs its unload handling and destroys it, and
// ending the program stops everything with no unload handling at all.
class Forms : public QObject
{
    Q_OBJECT

public:
    explicit Forms(Services &services, QObject *parent = nullptr);
    ~Forms() override;

    Services &services() const { return m_services; }

    // The window of kind T, loaded first if it is not.
    template <class T> T *get()
    {
        if (Form *form = find(typeid(T)))
            return static_cast<T *>(form);
        auto window = std::make_unique<T>(*this);
        T *raw = window.get();
        adopt(typeid(T), std::move(window), raw);
        return raw;
    }

    template <class T> bool isLoaded() const { return find(typeid(T)) != nullptr; }
    template <class T> void unload() { unload(typeid(T)); }
    void unload(const Form *form);

    void endProgram();
    bool hasEnded() const { return m_ended; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry
    {
        std::type_index kind;
        std::unique_ptr<QWidget> widget;
        Form *form;
        bool unloading = false;
    };

    Form *find(std::type_index kind) const;
    void adopt(std::type_index kind, std::unique_ptr<QWidget> widget, Form *form);
    void unload(std::type_index kind);
    std::vector<Entry>::iterator entryOf(std::type_index kind);

    Services &m_services;
    std::vector<Entry> m_entries;
    bool m_ended = false;
};
