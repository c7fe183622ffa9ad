#pragma once

// Checks what a host hears of the editor's edits: a log in call order of "begin <id>", "end <id>" (the
// frame's or the host callback's edit gestures) and "automate <id>" (a value reported to the host).

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace korvel::test {

using HostLog = std::vector<std::string>;

// What a host would not accept: a value outside an open gesture of its own id, a gesture begun while
// already open, ended while not open, or left open at the end of the log. Empty when the log is sound.
inline std::vector<std::string> hostEditFaults(const HostLog& log)
{
    std::vector<std::string> faults;
    std::multiset<int> open;
    for (std::size_t i = 0; i < log.size(); ++i) {
        std::istringstream entry(log[i]);
        std::string what;
        int id = -1;
        entry >> what >> id;
        const std::string at = " (entry " + std::to_string(i) + ": " + log[i] + ")";
        if (what == "begin") {
            if (open.count(id) > 0)
                faults.push_back("begun twice" + at);
            open.insert(id);
        } else if (what == "end") {
            if (open.count(id) == 0)
                faults.push_back("ended while not open" + at);
            else
                open.erase(open.find(id));
        } else if (what == "automate" && open.count(id) == 0) {
            faults.push_back("value outside its gesture" + at);
        }
    }
    for (int id : open)
        faults.push_back("left open: " + std::to_string(id));
    return faults;
}

// The log without its values: the gestures alone.
inline HostLog gesturesOf(const HostLog& log)
{
    HostLog gestures;
    for (const std::string& entry : log)
        if (entry.rfind("automate", 0) != 0)
            gestures.push_back(entry);
    return gestures;
}

// The ids that received values.
inline std::set<int> automatedIds(const HostLog& log)
{
    std::set<int> ids;
    for (const std::string& entry : log)
        if (entry.rfind("automate ", 0) == 0)
            ids.insert(std::stoi(entry.substr(9)));
    return ids;
}

} // namespace korvel::test
