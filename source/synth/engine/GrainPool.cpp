#include "synth/engine/GrainPool.h"

namespace korvel::veldro {

void GrainPool::resize(std::size_t n)
{
    if (n < records.size())
        return;
    records.resize(n);
    freeHead = nullptr;
    Grain** tail = &freeHead;
    for (Grain& grain : records) {
        if (!grain.isIdle())
            continue;
        *tail = &grain;
        tail = &grain.next;
    }
    *tail = nullptr;
}

Grain* GrainPool::takeFree()
{
    Grain* grain = freeHead;
    if (grain)
        freeHead = grain->next;
    return grain;
}

void GrainPool::activate(Grain* grain)
{
    grain->next = activeHead;
    activeHead = grain;
    ++active;
}

} // namespace korvel::veldro
