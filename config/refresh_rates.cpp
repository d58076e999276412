#include "config/refresh_rates.h"

int RefreshRateIndex(std::int32_t rate) {
  for (std::size_t i = 0; i < kRefreshRateChoices.size(); ++i) {
    if (kRefreshRateChoices[i].value == rate) return static_cast<int>(i);
  }
  return 0;
}
