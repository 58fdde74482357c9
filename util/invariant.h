#ifndef MORVANE_UTIL_INVARIANT_H
#define MORVANE_UTIL_INVARIANT_H

// An assertion that stays enabled in every build type: a broken invariant
// stops the program after naming the expression, the source file, the line
// and the enclosing function's signature. Use it for every state the code
// should never reach; errors reported as messages are for bad input and
// exhausted resources only.

[[noreturn]] void invariant_violated(
  const char *expression,
  const char *file,
  int line,
  const char *function);

#define INVARIANT(condition)                                                  \
  ((condition) ? static_cast<void>(0)                                         \
               : invariant_violated(                                          \
                   #condition, __FILE__, __LINE__, __PRETTY_FUNCTION__))

#endif
