#pragma once
// Responsibilities: conversion of the program's stored colours (32-bit values with red in the low byte,
// pure blue = 16711680) to and from QColor.

#include <QColor>

namespace velm {

inline QColor toQColor(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline quint32 fromQColor(const QColor& colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

} // namespace velm
