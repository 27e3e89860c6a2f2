#pragma once

#include <vector>

// Where an axis gets its labelled values: multiples of a step that reads well.

// 1, 2 or 5 times a power of ten, so that about `wanted` steps fill span.
double niceStep(double span, int wanted);

// Time steps in hundredths of a second that read well as clock times.
double timeStep(double spanCs, int wanted);

// The labelled values within [low, high]: about `wanted`, never fewer than
// three, multiples of one nice step, in ascending order. A pane only a few
// labels high still shows where its values lie.
std::vector<double> valueTicks(double low, double high, int wanted);
