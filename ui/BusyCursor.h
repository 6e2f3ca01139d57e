#pragma once

// The application-wide busy pointer for as long as it lives; the normal pointer comes back however the scope
// is left.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
