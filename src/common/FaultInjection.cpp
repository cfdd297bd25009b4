#include "common/FaultInjection.h"

#include <atomic>

namespace FaultInjection {

namespace {
std::atomic<int> g_seen{0};
std::atomic<int> g_armedAt{0};  // the value of g_seen at which the step fails; 0 = disarmed
}  // namespace

bool fails(Step)
{
    const int seen = ++g_seen;
    int armed = g_armedAt.load();
    return armed != 0 && seen == armed && g_armedAt.compare_exchange_strong(armed, 0);
}

void failNthStep(int n)
{
    g_armedAt = n > 0 ? g_seen.load() + n : 0;
}

int stepsSeen()
{
    return g_seen;
}

void reset()
{
    g_seen = 0;
    g_armedAt = 0;
}

}  // namespace FaultInjection
