#pragma once
// CPU time as the benchmarks count it: user and system seconds of this process
// (RUSAGE_SELF) or of its finished, waited-for children (RUSAGE_CHILDREN).

#include <sys/resource.h>

struct Cpu {
    double user = 0;
    double system = 0;

    static Cpu Of(int who)
    {
        rusage u{};
        getrusage(who, &u);
        const auto seconds = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
        return {seconds(u.ru_utime), seconds(u.ru_stime)};
    }
    double Total() const { return user + system; }
    Cpu operator-(const Cpu &o) const { return {user - o.user, system - o.system}; }
};
