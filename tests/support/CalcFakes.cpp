#include "support/CalcFakes.h"

namespace calctest {
int MeanIndicator::computations = 0;
int MeanIndicator::alive = 0;
int LineDrawable::alive = 0;
} // namespace calctest
