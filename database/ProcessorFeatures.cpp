#include "database/ProcessorFeatures.h"

// __builtin_cpu_supports takes only literal names, so each answer is spelt out.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QOR_ASK_PROCESSOR 1
#else
#define QOR_ASK_PROCESSOR 0
#endif

namespace processor_features {

bool HasPopcount() {
#if QOR_ASK_PROCESSOR
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("popcnt"));
  return has;
#else
  return false;
#endif
}

bool HasAvx2() {
#if QOR_ASK_PROCESSOR
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("avx2"));
  return has;
#else
  return false;
#endif
}

bool HasVectorLogic() {
#if QOR_ASK_PROCESSOR
  static const bool has = HasAvx2() && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl");
  return has;
#else
  return false;
#endif
}

bool HasBitGather() {
#if QOR_ASK_PROCESSOR
  static const bool has =
      HasVectorLogic() && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512bitalg");
  return has;
#else
  return false;
#endif
}

bool HasBitTurn() {
#if QOR_ASK_PROCESSOR
  static const bool has = HasVectorLogic() && __builtin_cpu_supports("avx512bw") &&
                          __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("gfni");
  return has;
#else
  return false;
#endif
}

}  // namespace processor_features
