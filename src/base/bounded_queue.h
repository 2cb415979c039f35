#pragma once
// A hand-off between one producing thread and one consuming thread: a ring of slots the
// producer fills in place and the consumer takes in order, so that their buffers are
// reused from one element to the next. When the ring is full the producer waits (the
// consumer sets the pace); when it is empty the consumer waits. Either side may end the
// hand-off: the producer closes it (the consumer takes what is queued, then nothing), the
// consumer stops it (the producer is refused its next slot).
//
// A side that waits is woken only once the other has moved a stretch of slots, not at
// every slot: each wake-up costs a system call, and a year's export hands over hundreds
// of thousands of documents.

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <vector>

namespace dralmoft {

template <class T>
class BoundedQueue {
public:
    explicit BoundedQueue(std::size_t capacity)
        : m_slots(std::max<std::size_t>(capacity, 1)), m_stretch(std::max<std::size_t>(m_slots.size() / 4, 1)) {}
    BoundedQueue(const BoundedQueue&) = delete;
    BoundedQueue& operator=(const BoundedQueue&) = delete;

    // Producer: the next slot to fill, once one is free; null when the consumer stopped.
    [[nodiscard]] T* Back() {
        std::unique_lock lock(m_mutex);
        if (m_count == m_slots.size() && !m_stopped) {
            m_producerWaits = true;
            m_producerWoken.wait(lock, [this] { return m_stopped || m_count + m_stretch <= m_slots.size(); });
            m_producerWaits = false;
        }
        return m_stopped ? nullptr : &m_slots[(m_first + m_count) % m_slots.size()];
    }
    // Producer: the slot Back gave is filled.
    void Push() {
        const std::lock_guard lock(m_mutex);
        ++m_count;
        if (m_consumerWaits && m_count >= m_stretch) m_consumerWoken.notify_one();
    }
    // Producer: nothing more comes.
    void Close() {
        const std::lock_guard lock(m_mutex);
        m_closed = true;
        m_consumerWoken.notify_one();
    }

    // Consumer: the oldest filled slot, once there is one; null when the queue is closed
    // and every slot was taken.
    [[nodiscard]] T* Front() {
        std::unique_lock lock(m_mutex);
        if (m_count == 0 && !m_closed) {
            m_consumerWaits = true;
            m_consumerWoken.wait(lock, [this] { return m_closed || m_count >= m_stretch; });
            m_consumerWaits = false;
        }
        return m_count == 0 ? nullptr : &m_slots[m_first];
    }
    // Consumer: the slot Front gave is taken; the producer may fill it again.
    void Pop() {
        const std::lock_guard lock(m_mutex);
        m_first = (m_first + 1) % m_slots.size();
        --m_count;
        if (m_producerWaits && m_count + m_stretch <= m_slots.size()) m_producerWoken.notify_one();
    }
    // Consumer: it takes nothing more; the producer's next Back gives null.
    void Stop() {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
        m_producerWoken.notify_one();
    }

private:
    std::vector<T> m_slots;
    const std::size_t m_stretch;
    std::mutex m_mutex;
    std::condition_variable m_producerWoken;
    std::condition_variable m_consumerWoken;
    std::size_t m_first = 0;  // the oldest filled slot
    std::size_t m_count = 0;  // filled slots
    bool m_closed = false;
    bool m_stopped = false;
    bool m_producerWaits = false;
    bool m_consumerWaits = false;
};

}  // namespace dralmoft
