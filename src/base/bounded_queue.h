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
// of thousands of documents. While neither waits, the sides take no lock.

#include <algorithm>
#include <atomic>
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
        const std::size_t pushed = m_pushed.load(std::memory_order_relaxed);  // its own count
        if (pushed - m_popped.load() == m_slots.size()) {
            std::unique_lock lock(m_mutex);
            m_producerWaits = true;
            m_producerWoken.wait(lock, [&] { return m_stopped || pushed - m_popped + m_stretch <= m_slots.size(); });
            m_producerWaits = false;
        }
        return m_stopped ? nullptr : &m_slots[pushed % m_slots.size()];
    }
    // Producer: the slot Back gave is filled.
    void Push() {
        const std::size_t pushed = m_pushed.load(std::memory_order_relaxed) + 1;
        m_pushed = pushed;
        if (m_consumerWaits && pushed - m_popped >= m_stretch) Wake(m_consumerWoken);
    }
    // Producer: nothing more comes.
    void Close() { Raise(m_closed, m_consumerWoken); }

    // Consumer: the oldest filled slot, once there is one; null when the queue is closed
    // and every slot was taken.
    [[nodiscard]] T* Front() {
        const std::size_t popped = m_popped.load(std::memory_order_relaxed);  // its own count
        if (m_pushed == popped && !m_closed) {
            std::unique_lock lock(m_mutex);
            m_consumerWaits = true;
            m_consumerWoken.wait(lock, [&] { return m_closed || m_pushed - popped >= m_stretch; });
            m_consumerWaits = false;
        }
        return m_pushed == popped ? nullptr : &m_slots[popped % m_slots.size()];
    }
    // Consumer: the slot Front gave is taken; the producer may fill it again.
    void Pop() {
        const std::size_t popped = m_popped.load(std::memory_order_relaxed) + 1;
        m_popped = popped;
        if (m_producerWaits && m_pushed - popped + m_stretch <= m_slots.size()) Wake(m_producerWoken);
    }
    // Consumer: it takes nothing more; the producer's next Back gives null.
    void Stop() { Raise(m_stopped, m_producerWoken); }

private:
    // The other side waits (or is about to, holding the mutex): taking the mutex first
    // makes sure it is waiting when told.
    void Wake(std::condition_variable& side) {
        { const std::lock_guard lock(m_mutex); }
        side.notify_one();
    }
    // Ends the hand-off for the other side, which may be waiting on `side`: the flag is set
    // under the mutex, so that a side about to wait sees it.
    void Raise(std::atomic<bool>& flag, std::condition_variable& side) {
        {
            const std::lock_guard lock(m_mutex);
            flag = true;
        }
        side.notify_one();
    }

    std::vector<T> m_slots;
    const std::size_t m_stretch;
    // Slots filled and taken since the start; each is written by its own side only. The
    // sides meet without the mutex while neither waits: under Wine a mutex that two busy
    // threads contend for is a call into the system.
    std::atomic<std::size_t> m_pushed{0};
    std::atomic<std::size_t> m_popped{0};
    // A side's flag and the other's count are sequentially consistent: a side about to
    // wait sees the other's last count, or the other sees it waiting and wakes it.
    std::atomic<bool> m_producerWaits{false};
    std::atomic<bool> m_consumerWaits{false};
    std::atomic<bool> m_closed{false};
    std::atomic<bool> m_stopped{false};
    std::mutex m_mutex;
    std::condition_variable m_producerWoken;
    std::condition_variable m_consumerWoken;
};

}  // namespace dralmoft
