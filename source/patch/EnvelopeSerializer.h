#pragma once

#include "json/Value.h"
#include "synth/Patch.h"

// The JSON form of one breakpoint envelope of a patch slot: the 15 records
// from `first` (25 or 40) as an array of five {"delta", "level", "curve"}
// points under "adsr1.points" or "adsr2.points".
// Threads: any thread.
namespace korvel::veldro {

class EnvelopeSerializer {
public:
    // first: 25 or 40.
    explicit EnvelopeSerializer(int first);

    int firstId() const { return first; }
    // "adsr1.points" or "adsr2.points".
    const std::wstring& memberName() const { return name; }

    JSON::Value write(const Patch& patch) const;

    // Fills the 15 records from the slot object's array and returns the
    // errors to count. A missing or malformed array gives the defaults
    // without an error; one too damaged to trust gives the defaults too.
    int read(Patch& out, const JSON::Value& slot) const;

private:
    void setDefaults(Patch& out) const;

    int first;
    std::wstring name;
};

} // namespace korvel::veldro
