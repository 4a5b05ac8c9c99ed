// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui_thread_dispatcher.h"

#include <QThread>

UiThreadDispatcher::UiThreadDispatcher(QObject* parent) : QObject(parent), m_shared(std::make_shared<Shared>()) {}

UiThreadDispatcher::~UiThreadDispatcher()
{
    Detach();
}

void UiThreadDispatcher::Post(std::function<void()> task)
{
    if (QThread::currentThread() == thread()) {
        if (!IsDetached())
            task();
        return;
    }
    {
        std::lock_guard<std::mutex> guard(m_shared->mutex);
        if (m_shared->detached)
            return;
        ++m_shared->posted;
    }
    const auto shared = m_shared;
    QMetaObject::invokeMethod(
        this,
        [shared, task = std::move(task)]() {
            {
                std::lock_guard<std::mutex> guard(shared->mutex);
                if (shared->detached)
                    return;
            }
            task();
            {
                std::lock_guard<std::mutex> guard(shared->mutex);
                --shared->posted;
            }
            shared->done.notify_all();
        },
        Qt::QueuedConnection);
}

void UiThreadDispatcher::WaitForPosted()
{
    if (QThread::currentThread() == thread())
        return; // posted work from this thread has run already
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->done.wait(lock, [&] { return m_shared->posted == 0 || m_shared->detached; });
}

void UiThreadDispatcher::Detach()
{
    {
        std::lock_guard<std::mutex> guard(m_shared->mutex);
        m_shared->detached = true;
    }
    m_shared->done.notify_all();
}

bool UiThreadDispatcher::IsDetached() const
{
    std::lock_guard<std::mutex> guard(m_shared->mutex);
    return m_shared->detached;
}
