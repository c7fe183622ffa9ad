#include "synth/SynthParamListeners.h"

#include <algorithm>

namespace korvel::veldro {

// Holds the snapshot a delivery walks: counted before the snapshot is read,
// so a writer that swaps snapshots can tell when the old one is unused.
class SynthParamListeners::Delivery {
public:
    explicit Delivery(const SynthParamListeners& owner) : owner(owner)
    {
        owner.readers.fetch_add(1);
        const std::thread::id self = std::this_thread::get_id();
        for (auto& entry : owner.delivering) {
            std::thread::id free{};
            if (entry.compare_exchange_strong(free, self)) {
                tracked = &entry;
                break;
            }
        }
        snapshot = owner.current.load();
    }
    ~Delivery()
    {
        if (tracked)
            tracked->store(std::thread::id{});
        owner.readers.fetch_sub(1);
    }
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

    const Snapshot& listeners() const { return *snapshot; }

private:
    const SynthParamListeners& owner;
    const Snapshot* snapshot;
    std::atomic<std::thread::id>* tracked = nullptr;
};

SynthParamListeners::SynthParamListeners() : current(new Snapshot) {}

SynthParamListeners::~SynthParamListeners()
{
    freeRetired();
    delete current.load();
}

void SynthParamListeners::add(ISynthParamListener* listener)
{
    auto* next = new Snapshot(*current.load());
    const int id = listener->getId();
    auto at = std::lower_bound(next->begin(), next->end(), id, [](const auto& entry, int key) { return entry.first < key; });
    if (at != next->end() && at->first == id)
        at->second = listener;
    else
        next->insert(at, {id, listener});
    publish(next);
}

void SynthParamListeners::clear()
{
    publish(new Snapshot);
    // The listeners just dropped may be destroyed once this returns.
    const int own = deliveriesOnThisThread();
    while (readers.load() > own)
        std::this_thread::yield();
    if (own == 0)
        freeRetired();
}

int SynthParamListeners::deliveriesOnThisThread() const
{
    const std::thread::id self = std::this_thread::get_id();
    int own = 0;
    for (const auto& entry : delivering)
        own += entry.load() == self ? 1 : 0;
    return own;
}

void SynthParamListeners::publish(Snapshot* next)
{
    retired.push_back(current.exchange(next));
    if (readers.load() == 0)
        freeRetired();
}

void SynthParamListeners::freeRetired()
{
    for (const Snapshot* snapshot : retired)
        delete snapshot;
    retired.clear();
}

void SynthParamListeners::notifyAll(std::uint32_t flags) const
{
    Delivery delivery(*this);
    for (const auto& [id, listener] : delivery.listeners())
        if (listener->mask & flags)
            listener->paramChanged(flags);
}

void SynthParamListeners::notifyOne(int id, std::uint32_t flags) const
{
    Delivery delivery(*this);
    const Snapshot& listeners = delivery.listeners();
    auto at = std::lower_bound(listeners.begin(), listeners.end(), id,
                               [](const auto& entry, int key) { return entry.first < key; });
    if (at == listeners.end())
        return;
    if (id > 0 && at->second->getId() != id) {
        if (at == listeners.begin())
            return;
        --at;
    }
    at->second->paramChanged(flags);
}

} // namespace korvel::veldro
