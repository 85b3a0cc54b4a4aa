#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <optional>

// How the losses of the counted fittings are found. The main window counts them as
// fixed l/d values with the case's own friction factor; the published methods give
// a resistance coefficient K per fitting that follows the Reynolds number.
enum class FittingMethod {
    Ld, // K = f l/d with the case's friction factor, as the main window
    Crane, // K = f_T l/d, f_T the fully turbulent friction factor of the pipe (TP-410)
    TwoK, // Hooper's 2-K
    ThreeK, // Darby's 3-K
};

inline constexpr std::array<FittingMethod, 4> AllFittingMethods
    = {FittingMethod::Ld, FittingMethod::Crane, FittingMethod::TwoK, FittingMethod::ThreeK};

// The names on the command line and in the JSON and CSV output: "ld", "crane", "2k", "3k".
constexpr const char *fittingMethodName(FittingMethod method)
{
    constexpr std::array<const char *, 4> names = {"ld", "crane", "2k", "3k"};
    return names[size_t(method)];
}

inline std::optional<FittingMethod> fittingMethodNamed(QStringView name)
{
    for (FittingMethod method : AllFittingMethods) {
        if (name == QLatin1String(fittingMethodName(method)))
            return method;
    }
    return std::nullopt;
}

inline constexpr int BendTypeCount = 6;
inline constexpr int ValveTypeCount = 13;
inline constexpr int FittingTypeCount = BendTypeCount + ValveTypeCount;

// The counts of the two count windows. A fitting type is numbered through both: the
// six bends and tees are 0 to 5, the thirteen valves 6 to 18.
struct FittingCounts
{
    std::array<qint16, BendTypeCount> bends{};
    std::array<qint16, ValveTypeCount> valves{};

    int operator[](int type) const
    {
        return type < BendTypeCount ? bends[size_t(type)] : valves[size_t(type - BendTypeCount)];
    }
    friend bool operator==(const FittingCounts &, const FittingCounts &) = default;
};
