#pragma once

#include <string>

namespace korvel::veldro {

// Orders sound paths as their UTF-16 forms compare, code unit by code unit
// (unsigned), a string before the longer ones it begins; no case folding or
// normalisation. The sound cache and the pending loads keep this key order,
// which decides the order in which finished loads are installed.
struct PathOrder {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
};

} // namespace korvel::veldro
