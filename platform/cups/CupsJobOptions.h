#pragma once

#include "platform/PrintSystem.h"

#include <cups/cups.h>

#include <utility>

// A job's options, freed with it.
class CupsOptions {
public:
    CupsOptions() = default;
    CupsOptions(CupsOptions&& other) noexcept
        : count_(std::exchange(other.count_, 0)), options_(std::exchange(other.options_, nullptr)) {}
    CupsOptions(const CupsOptions&) = delete;
    CupsOptions& operator=(const CupsOptions&) = delete;
    ~CupsOptions() { cupsFreeOptions(count_, options_); }

    void add(const char* name, const char* value) { count_ = cupsAddOption(name, value, count_, &options_); }
    int count() const { return count_; }
    cups_option_t* get() const { return options_; }

private:
    int count_ = 0;
    cups_option_t* options_ = nullptr;
};

// What a job drawn for these settings asks of the server: its page printed unscaled, on the settings'
// paper, at their resolution.
CupsOptions jobOptions(const DocumentSettings& settings);
