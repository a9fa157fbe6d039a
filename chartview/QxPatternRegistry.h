#pragma once
// The process-wide prototypes of the pattern kinds that charts store, keyed
// by their name atoms: what a zone's "Patterns" element is read back with.
// Created on first use with the built-in kinds, kept until the program ends.
#include "chartview/QxPattern.h"
#include "core/QxAtomKeyedRegistry.h"

class QxPatternRegistry : public QxAtomKeyedRegistry<QxPattern, &QxPattern::getName> {
public:
    static QxPatternRegistry& instance();

private:
    QxPatternRegistry();
};
