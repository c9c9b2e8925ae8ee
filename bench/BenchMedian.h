#pragma once
// Figures as medians of repeated runs: one run slowed by another process on a shared machine moves
// a median far less than a mean or a single run.
#include <algorithm>
#include <vector>

// Runs at least three: a median of fewer is just one run.
const int kBenchRuns = 5;

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    const size_t mid = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + mid, values.end());
    return values[mid];
}

// The median of runs calls of run, each returning one figure.
template <class Run>
double MedianOfRuns(Run run, int runs = kBenchRuns)
{
    std::vector<double> figures;
    for (int r = 0; r < runs; ++r)
        figures.push_back(run());
    return Median(figures);
}
