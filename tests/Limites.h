// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>

#include <csignal>
#include <sys/resource.h>

// Limits of the process lowered for the life of the object, so that a test meets a real refusal of the system.

// Writes that would make a file larger than the given size are refused, without a signal.
class LimiteDeTaille {
public:
    explicit LimiteDeTaille(rlim_t octets)
        : signal(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &ancienne);
        rlimit limite = ancienne;
        limite.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteDeTaille()
    {
        setrlimit(RLIMIT_FSIZE, &ancienne);
        std::signal(SIGXFSZ, signal);
    }
    LimiteDeTaille(const LimiteDeTaille &) = delete;
    LimiteDeTaille &operator=(const LimiteDeTaille &) = delete;

private:
    rlimit ancienne{};
    void (*signal)(int);
};

// AddressSanitizer holds terabytes of address space for its shadow and stops the process at the first refused
// allocation: a test of memory exhaustion skips itself under it.
#ifdef __SANITIZE_ADDRESS__
inline constexpr bool SousAddressSanitizer = true;
#else
inline constexpr bool SousAddressSanitizer = false;
#endif

// No more than the given number of bytes may be allocated beyond what the process holds now.
class LimiteDeMemoire {
public:
    explicit LimiteDeMemoire(rlim_t octets)
    {
        getrlimit(RLIMIT_AS, &ancienne);
        rlimit limite = ancienne;
        limite.rlim_cur = TailleVirtuelle() + octets;
        setrlimit(RLIMIT_AS, &limite);
    }
    ~LimiteDeMemoire() { setrlimit(RLIMIT_AS, &ancienne); }
    LimiteDeMemoire(const LimiteDeMemoire &) = delete;
    LimiteDeMemoire &operator=(const LimiteDeMemoire &) = delete;

private:
    // The size of the process's address space, in bytes.
    static rlim_t TailleVirtuelle()
    {
        QFile etat(QStringLiteral("/proc/self/status"));
        if (!etat.open(QIODevice::ReadOnly))
            return 0;
        for (const QByteArray &ligne : etat.readAll().split('\n')) {
            if (ligne.startsWith("VmSize:"))
                return ligne.mid(7).trimmed().split(' ').first().toULongLong() * 1024;
        }
        return 0;
    }

    rlimit ancienne{};
};
