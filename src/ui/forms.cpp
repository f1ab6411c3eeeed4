#include "forms.h"

#include "core/settingsstore.h"

#include <QCloseEvent>

#include <algorithm>

Services &Form::services() const
{
    return m_forms.services();
}

Preferences Form::preferences() const
{
    return Preferences(services().settings);
}

Forms::Forms(Services &services, QObject *parent) : QObject(parent), m_services(services) {}

// Windows still loaded at the end go without their unload handling.
Forms::~Forms() = default;

Form *Forms::find(WindowKind kind) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry &entry) { return entry.kind == kind; });
    return it == m_entries.end() ? nullptr : it->form;
}

std::vector<Forms::Entry>::iterator Forms::entryOf(WindowKind kind)
{
    return std::find_if(m_entries.begin(), m_entries.end(),
                        [&](const Entry &entry) { return entry.kind == kind; });
}

void Forms::registerFactory(WindowKind kind, Factory factory)
{
    m_factories[kind] = std::move(factory);
}

// The window is registered before its load handling runs, so anything that
// refers to it from inside that handling reaches this instance.
Form *Forms::load(WindowKind kind)
{
    if (Form *form = find(kind))
        return form;
    const auto factory = m_factories.find(kind);
    if (factory == m_factories.end())
        qFatal("No window is registered for kind %d", int(kind));
    std::unique_ptr<QWidget> widget = factory->second(*this);
    Form *form = dynamic_cast<Form *>(widget.get());
    Q_ASSERT(form);
    widget->installEventFilter(this);
    m_entries.push_back({kind, std::move(widget), form});
    form->loadHandling();
    return form;
}

void Forms::unload(const Form *form)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&](const Entry &entry) { return entry.form == form; });
    if (it != m_entries.end())
        unload(it->kind);
}

void Forms::unload(WindowKind kind)
{
    auto it = entryOf(kind);
    if (it == m_entries.end() || it->unloading)
        return; // not loaded, or its unload is already under way
    it->unloading = true;
    it->form->unloadHandling();
    if (m_ended)
        return;
    it = entryOf(kind); // the handling may have loaded or unloaded others
    std::unique_ptr<QWidget> widget = std::move(it->widget);
    m_entries.erase(it);
    widget->removeEventFilter(this);
    widget->hide();
    // The window may be unloading itself from one of its own handlers.
    widget.release()->deleteLater();
    if (m_entries.empty())
        endProgram();
}

void Forms::endProgram()
{
    if (m_ended)
        return;
    m_ended = true;
    for (const Entry &entry : m_entries)
        entry.widget->hide();
    if (m_services.quit)
        m_services.quit();
}

// A window's close box goes through unload, so its unload handling runs.
bool Forms::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close) {
        const auto it = std::find_if(m_entries.begin(), m_entries.end(), [&](const Entry &entry) {
            return entry.widget.get() == watched;
        });
        if (it != m_entries.end()) {
            event->ignore();
            unload(it->kind);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
