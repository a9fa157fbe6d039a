#pragma once
// Reads one of the shared daily price files (Date,Open,High,Low,Close,...,Volume)
// into columns for indicator tests.
#include "support/TestSupport.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

struct OhlcvFixture
{
    std::vector<double> open, high, low, close, volume;
    size_t size() const { return close.size(); }
};

// Columns by header name, so files with and without "Adj Close" both read.
inline OhlcvFixture loadOhlcvFixture(const std::string& name, size_t maxBars = 0)
{
    OhlcvFixture f;
    std::ifstream in(TestSupport::fixturePath("ohlcv/" + name));
    std::string line;
    if (!std::getline(in, line))
        return f;
    std::vector<std::string> header;
    std::stringstream hs(line);
    for (std::string cell; std::getline(hs, cell, ',');)
        header.push_back(cell);
    auto column = [&](const char* title) {
        for (size_t i = 0; i < header.size(); ++i)
            if (header[i] == title)
                return static_cast<int>(i);
        return -1;
    };
    const int cols[] = {column("Open"), column("High"), column("Low"), column("Close"),
                        column("Volume")};
    std::vector<double>* dest[] = {&f.open, &f.high, &f.low, &f.close, &f.volume};
    while (std::getline(in, line) && (maxBars == 0 || f.size() < maxBars)) {
        std::vector<std::string> cells;
        std::stringstream ls(line);
        for (std::string cell; std::getline(ls, cell, ',');)
            cells.push_back(cell);
        for (int k = 0; k < 5; ++k)
            dest[k]->push_back(cols[k] >= 0 && static_cast<size_t>(cols[k]) < cells.size()
                                   ? std::strtod(cells[static_cast<size_t>(cols[k])].c_str(), nullptr)
                                   : 0.0);
    }
    return f;
}
