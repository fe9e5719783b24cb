#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A channel's frequency: hertz as a double plus the unit code that SetInUnit
// interprets. The grid and the upload work in megahertz.
class vnFrequency
{
public:
    enum Unit : std::int32_t {
        UnitHertz0 = 0,
        UnitHertz = 1,
        UnitKilohertz = 2,
        UnitMegahertz = 3,
        UnitGigahertz = 4,
    };

    // Stores the unit first, then the value through SetInUnit. A unit outside
    // 0 to 4 leaves the frequency at 0 Hz.
    explicit vnFrequency(double value = 0.0, std::int32_t unit = UnitHertz);

    // Stores x times the factor of this frequency's own unit; an unknown
    // unit code stores nothing.
    void SetInUnit(double x);
    void SetHz(double x);
    void SetKHz(double x);
    void SetMHz(double x);
    void SetGHz(double x);

    double GetMHz() const;

    // Frequency texts, in megahertz with '.' as the decimal point whatever
    // the process locale. Every text that shows, saves or sends a frequency
    // is made here, and every frequency text is read here.

    // The decimals a frequency shows with: the grid, the files, the scanner.
    static constexpr int ShownDecimals = 4;
    // "146.5200"; any double has its text (see vnText::FixedText).
    static std::string MHzText(double mhz, int decimals = ShownDecimals);
    // The number at the start of a file's or cell's text, as the C
    // library's strtod reads it in the "C" locale; no number gives 0.
    static double ReadMHz(std::string_view text);
    // The largest frequency either side of 0, in MHz: far above any
    // scanner, and its hertz stay a finite double.
    static constexpr double MaxMHz = 100000.0;
    // A frequency text read whole, as files and typing give it: a number,
    // then optionally blanks and a unit, MHz, kHz or Hz in any letter case,
    // blanks around; a comma is the decimal point when there is no full
    // stop. Without a unit the number is in unit. The megahertz; nothing for
    // any other text, for a number too small to tell from 0, and for one
    // beyond MaxMHz. converted tells whether the unit was not MHz.
    static std::optional<double> ReadWholeMHz(std::string_view text, Unit unit = UnitMegahertz,
                                              bool* converted = nullptr);
    // A frequency text as written, before any unit is applied: the number
    // (a comma is the decimal point when there is no full stop), whether it
    // has a decimal point, and the unit written after it, if any. Nothing
    // for text that is no number with at most a unit, and for a number too
    // small to tell from 0; the number may be beyond any double (infinite).
    struct Written
    {
        double value = 0.0;
        bool decimalPoint = false;
        std::optional<Unit> unit;
    };
    static std::optional<Written> ReadWritten(std::string_view text);
    // The megahertz of a value in unit; GHz too.
    static double InMHz(double value, Unit unit);

    // A frequency typed by the user: ReadWholeMHz of megahertz, with MHz as
    // the only unit.
    static std::optional<double> ReadTypedMHz(std::string_view text);

    // Channel steps. Radio channels lie on a raster of 2.5 kHz or of
    // 6.25 kHz (every 5, 7.5, 12.5 and 25 kHz channel lies on one of them),
    // so a frequency on neither is most likely a typo. A frequency within
    // half the last shown decimal of a step lies on it, as the grid and the
    // scanner see it: 851.0063 is 851.00625.
    static bool IsOnStep(double mhz, double stepKHz);
    // On a 2.5 kHz or a 6.25 kHz step; no frequency (0) is.
    static bool IsOnChannelStep(double mhz);

    bool operator==(const vnFrequency& other) const = default;

private:
    double m_value = 0.0; // hertz
    std::int32_t m_unit = UnitHertz;
};
