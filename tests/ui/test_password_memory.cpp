#include "platform/Secret.h"
#include "ui/PasswordDialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QRandomGenerator>
#include <QTest>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// The password is kept here only masked, so that the test itself holds no copy of what it looks for.
constexpr char Mask = 0x5a;
constexpr std::size_t Length = 24;
// A part this long found anywhere is a copy; a field that grew while typing leaves such parts behind.
constexpr std::size_t Part = 8;

struct MaskedPassword {
    std::array<char, Length> masked{};

    static MaskedPassword random() {
        static constexpr char Letters[] = "abcdefghijkmnopqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
        MaskedPassword p;
        for (char& c : p.masked)
            c = static_cast<char>(Letters[QRandomGenerator::system()->bounded(int(sizeof Letters - 1))] ^
                                  Mask);
        return p;
    }
};

// Copies of the password's first or last `Part` characters in this process's writable memory, as UTF-8 and
// as UTF-16 (Qt's own text).
struct Copies {
    int utf8 = 0;
    int utf16 = 0;
};

Copies copiesInMemory(const MaskedPassword& password) {
    // Memory of its own for the map and the reads, left out of the search and zeroed after use: the
    // search allocates nothing, so it overwrites no freed copy before it is seen.
    constexpr std::size_t Chunk = 1 << 20;
    constexpr std::size_t MapRoom = 1 << 20;
    void* mapped = mmap(nullptr, Chunk + MapRoom, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    EXPECT_NE(mapped, MAP_FAILED);
    auto* buffer = static_cast<unsigned char*>(mapped);
    char* map = static_cast<char*>(mapped) + Chunk;
    const auto own = reinterpret_cast<unsigned long>(mapped);

    std::size_t mapSize = 0;
    if (const int maps = ::open("/proc/self/maps", O_RDONLY); maps >= 0) {
        ssize_t n = 0;
        while (mapSize < MapRoom - 1 && (n = ::read(maps, map + mapSize, MapRoom - 1 - mapSize)) > 0)
            mapSize += static_cast<std::size_t>(n);
        ::close(maps);
    }
    EXPECT_GT(mapSize, 0u);

    Copies fromStart;
    Copies fromEnd;
    const int mem = ::open("/proc/self/mem", O_RDONLY);
    EXPECT_GE(mem, 0);
    for (char* line = map; mem >= 0 && line < map + mapSize;) {
        char* next = std::strchr(line, '\n');
        next = next ? next + 1 : map + mapSize;
        unsigned long start = 0, end = 0;
        char permissions[5] = {};
        const bool writable = std::sscanf(line, "%lx-%lx %4s", &start, &end, permissions) == 3 &&
                              permissions[0] == 'r' && permissions[1] == 'w' && start != own;
        line = next;
        // A mapping of many gigabytes is a sanitizer's shadow of memory, mostly pages never touched: reading it
        // would take the test's whole time and could hold no copy of ours.
        constexpr unsigned long Shadow = 16ul << 30;
        if (!writable || end - start >= Shadow)
            continue;
        // Chunks overlap by a whole UTF-16 part, so that no copy falls between two of them; a copy is
        // counted in the chunk where it starts.
        constexpr std::size_t Step = Chunk - 2 * Part;
        for (unsigned long at = start; at < end; at += Step) {
            const ssize_t n =
                ::pread(mem, buffer, std::min<unsigned long>(Chunk, end - at), static_cast<off_t>(at));
            if (n <= 0)
                break;
            const auto size = static_cast<std::size_t>(n);
            const std::size_t starts = size == Chunk ? Step : size;
            const auto maskedAt = [&](std::size_t i) { return static_cast<unsigned char>(buffer[i] ^ Mask); };
            for (std::size_t i = 0; i < starts; ++i) {
                // Freed memory keeps the allocator's pointers over its first bytes: the start of a copy
                // may be gone while its end is still there.
                for (const std::size_t from : {std::size_t{0}, Length - Part}) {
                    if (maskedAt(i) != static_cast<unsigned char>(password.masked[from]))
                        continue;
                    bool utf8 = i + Part <= size;
                    bool utf16 = i + 2 * Part <= size;
                    for (std::size_t k = 0; k < Part; ++k) {
                        const auto expected = static_cast<unsigned char>(password.masked[from + k]);
                        utf8 = utf8 && maskedAt(i + k) == expected;
                        utf16 = utf16 && maskedAt(i + 2 * k) == expected && buffer[i + 2 * k + 1] == 0;
                    }
                    (from == 0 ? fromStart : fromEnd).utf8 += utf8;
                    (from == 0 ? fromStart : fromEnd).utf16 += utf16;
                }
            }
            explicit_bzero(buffer, Chunk);
            if (size < Chunk)
                break;
        }
    }
    if (mem >= 0)
        ::close(mem);
    explicit_bzero(mapped, Chunk + MapRoom);
    munmap(mapped, Chunk + MapRoom);
    return {std::max(fromStart.utf8, fromEnd.utf8), std::max(fromStart.utf16, fromEnd.utf16)};
}

void typeInto(QLineEdit* field, const MaskedPassword& password) {
    for (const char c : password.masked)
        QTest::keyClick(field, static_cast<char>(c ^ Mask));
}

} // namespace

// The password typed in the dialog, as it goes: the field zeroed when it is taken or the dialog closes,
// and the one copy left the secret's, gone with it.
TEST(PasswordInMemory, OnlyTheSecretHoldsItAndNothingAfterIt) {
    struct Case {
        const char* name;
        bool taken;
    };
    for (const Case& c : {Case{"taken", true}, Case{"dialog closed without it", false}}) {
        SCOPED_TRACE(c.name);
        const MaskedPassword password = MaskedPassword::random();
        std::optional<Secret> secret;
        {
            TPasswordDialog dialog({QStringLiteral("alice"), QStringLiteral("print.example:631")},
                                   PasswordPurpose::Printing);
            dialog.show();
            auto* field = dialog.findChild<QLineEdit*>(QStringLiteral("EditPassword"));
            ASSERT_NE(field, nullptr);
            typeInto(field, password);
            ASSERT_EQ(field->text().size(), qsizetype(Length));
            if (c.taken) {
                secret = dialog.takePassword();
                EXPECT_TRUE(field->text().isEmpty());
                ASSERT_EQ(secret->size(), Length);
                const Copies taken = copiesInMemory(password);
#if !defined(__SANITIZE_ADDRESS__)
                // The address sanitizer holds freed blocks back from reuse: there a UTF-16 copy the toolkit
                // freed while the dialog is still open is still found.
                EXPECT_EQ(taken.utf16, 0);
#endif
                EXPECT_EQ(taken.utf8, 1);
            }
        }
        const Copies held = copiesInMemory(password);
        EXPECT_EQ(held.utf16, 0);
        EXPECT_EQ(held.utf8, c.taken ? 1 : 0);
        secret.reset();
        const Copies after = copiesInMemory(password);
        EXPECT_EQ(after.utf16, 0);
        EXPECT_EQ(after.utf8, 0);
    }
}

// A secret grown byte by byte, as the terminal's line is read, leaves no part of itself behind.
TEST(PasswordInMemory, AGrowingSecretLeavesNoCopyBehind) {
    const MaskedPassword password = MaskedPassword::random();
    std::optional<Secret> secret(std::in_place);
    for (int round = 0; round < 8; ++round) {
        for (const char c : password.masked)
            secret->append(static_cast<char>(c ^ Mask));
    }
    EXPECT_EQ(copiesInMemory(password).utf8, 8);
    secret.reset();
    EXPECT_EQ(copiesInMemory(password).utf8, 0);
}
