// parseSettings / serializeSettings on arbitrary bytes: every line but line 5
// survives, short files are padded to 315 lines, and a second round changes nothing.

#include "fuzz_lines.h"

#include "store/settings_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray in(reinterpret_cast<const char*>(data), qsizetype(size));

    const AppSettings s = parseSettings(in);
    const QByteArray out = serializeSettings(s);
    FUZZ_CHECK(fuzz::crlfOnly(out));

    QByteArrayList expected = fuzz::lines(in);
    while (expected.size() < kSettingsLines)
        expected << QByteArray();
    expected[4].clear();   // line 5 is always written empty
    FUZZ_CHECK(fuzz::lines(out) == expected);

    // What the program reads from it does not throw or overflow either.
    (void)s.placement();
    (void)bannerMajorVersion(s.banner);
    for (int slot : usedMemberSlots(s))
        (void)s.memberName(slot);
    (void)firstFreeSlot(s);

    const QByteArray again = serializeSettings(parseSettings(out));
    FUZZ_CHECK(again == out);
    return 0;
}
