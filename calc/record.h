#pragma once

#include <QDate>
#include <QTime>

// The eight entries of a case, in the order the project file stores them.
// Units are those of the screen: l/h, kg/m3, cP, mm, m, m, bar, mm.
struct Inputs
{
    double FlowRate = 100;
    double Density = 1000;
    double Viscosity = 1;
    double InnerDiameter = 100;
    double PipeLength = 0;
    double Elevation = 0;
    double ExtraLoss = 0;
    double WallRoughness = 0.01;
};

// The results that the main window shows. They start at 0 and keep the values of
// the last calculation that reached them.
struct Results
{
    double Velocity = 0; // m/s
    double Reynolds = 0; // -
    double FrictionFactor = 0; // -
    double PipeFriction = 0; // -
    double PipeArea = 0; // mm2
    double PipeVolume = 0; // l
    double AppendageFriction = 0; // -
    double PipePressureDrop = 0; // bar
    double TotalPressureDrop = 0; // bar
    double TotalPressureDropPa = 0; // Pa
    double ResidenceTime = 0; // s
    double RelativeRoughness = 0; // -
    double BendsLd = 0; // l/d, always a whole number
    double ValvesLd = 0; // l/d, always a whole number
    double AppendageLength = 0; // m
    double PowerLoss = 0; // W
    double ShearRate = 0; // 1/s
};

// A calendar date that may carry a time of day.
struct CaseDate
{
    QDate date;
    QTime time;
    bool hasTime = false;

    static CaseDate today() { return {QDate::currentDate(), {}, false}; }
    friend bool operator==(const CaseDate &, const CaseDate &) = default;
};
