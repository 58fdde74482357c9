#include "sat/coresat/score_number.h"

#include <cstring>

namespace
{
score_number pack(unsigned m, int e)
{
  return score_number(std::uint16_t(e)) << 16 | score_number(m & 0xFFFF);
}

// m (nonzero, at most 16 bits) shifted up to bit 15; an exponent that would
// fall below the range makes the number zero.
score_number normalize_parts(unsigned m, int e)
{
  while(!(m & coresat_score_msb_mantissa))
  {
    m <<= 1;
    --e;
  }
  if(e < coresat_score_min_exponent)
    return coresat_score_zero;
  return pack(m, e);
}
} // namespace

unsigned coresat_score_mantissa(score_number x)
{
  return x & 0xFFFF;
}

int coresat_score_exponent(score_number x)
{
  return std::int16_t(std::uint16_t(x >> 16));
}

score_number coresat_score_make(unsigned m, int e)
{
  if(m > coresat_score_max_mantissa)
    return coresat_score_infinity;
  if(m == 0)
    return e == 0 ? coresat_score_zero : coresat_score_infinity;
  if(e < coresat_score_min_exponent)
    return coresat_score_zero;
  if(e > coresat_score_max_exponent)
    return coresat_score_infinity;
  return normalize_parts(m, e);
}

score_number coresat_score_normalize(score_number x)
{
  unsigned m = coresat_score_mantissa(x);
  if(m == 0 || (m & coresat_score_msb_mantissa))
    return x;
  return normalize_parts(m, coresat_score_exponent(x));
}

score_number coresat_score_add(score_number a, score_number b)
{
  if(coresat_score_is_infinity(a) || coresat_score_is_zero(b))
    return a;
  if(coresat_score_is_infinity(b) || coresat_score_is_zero(a))
    return b;
  if(coresat_score_exponent(b) > coresat_score_exponent(a))
  {
    score_number t = a;
    a = b;
    b = t;
  }
  int e = coresat_score_exponent(a);
  int d = e - coresat_score_exponent(b);
  unsigned sum = coresat_score_mantissa(a);
  if(d < 16)
    sum += coresat_score_mantissa(b) >> d;
  if(sum <= coresat_score_max_mantissa)
    return pack(sum, e);
  if(e == coresat_score_max_exponent)
    return coresat_score_infinity;
  return pack((sum >> 1) | coresat_score_msb_mantissa, e + 1);
}

int coresat_score_cmp(score_number a, score_number b)
{
  if(a == b)
    return 0;
  if(coresat_score_is_zero(a))
    return -1;
  if(coresat_score_is_infinity(a))
    return 1;
  if(coresat_score_is_zero(b))
    return 1;
  if(coresat_score_is_infinity(b))
    return -1;
  int ea = coresat_score_exponent(a);
  int eb = coresat_score_exponent(b);
  if(ea != eb)
    return ea < eb ? -1 : 1;
  return coresat_score_mantissa(a) < coresat_score_mantissa(b) ? -1 : 1;
}

score_number coresat_score_shift(score_number x, int d)
{
  if(coresat_score_is_zero(x))
    return x;
  // Computed in full width, so any shift distance saturates instead of
  // wrapping around the 16-bit exponent.
  long e = long(coresat_score_exponent(x)) + d;
  if(e > coresat_score_max_exponent)
    return coresat_score_infinity;
  if(e < coresat_score_min_exponent)
    return coresat_score_zero;
  return pack(coresat_score_mantissa(x), int(e));
}

int coresat_score_is_zero(score_number x)
{
  return x == 0;
}

int coresat_score_is_infinity(score_number x)
{
  return coresat_score_mantissa(x) == 0 && coresat_score_exponent(x) != 0;
}

void coresat_score_print(score_number x, std::FILE *stream)
{
  if(coresat_score_is_zero(x))
  {
    std::fputs("0", stream);
    return;
  }
  if(coresat_score_is_infinity(x))
  {
    std::fputs("infinity", stream);
    return;
  }
  unsigned m = coresat_score_mantissa(x);
  int e = coresat_score_exponent(x);
  while(!(m & 1))
  {
    m >>= 1;
    ++e;
  }
  if(m == 1 && e != 0)
    std::fprintf(stream, "2^%d", e);
  else
  {
    std::fprintf(stream, "%u", m);
    if(e != 0)
      std::fprintf(stream, "*2^%d", e);
  }
}

namespace
{
void print_sum_line(
  std::FILE *stream, score_number x, score_number y, score_number sum)
{
  coresat_score_print(x, stream);
  std::fputs(" + ", stream);
  coresat_score_print(y, stream);
  std::fputs(" = ", stream);
  coresat_score_print(sum, stream);
  std::fputs("\n", stream);
}
} // namespace

void coresat_score_print_add(
  std::FILE *stream, unsigned m1, int e1, unsigned m2, int e2)
{
  score_number x = coresat_score_make(m1, e1);
  score_number y = coresat_score_make(m2, e2);
  print_sum_line(stream, x, y, coresat_score_add(x, y));
}

void coresat_score_print_cmp(
  std::FILE *stream, unsigned m1, int e1, unsigned m2, int e2)
{
  score_number x = coresat_score_make(m1, e1);
  score_number y = coresat_score_make(m2, e2);
  int c = coresat_score_cmp(x, y);
  coresat_score_print(x, stream);
  std::fputs(c < 0 ? " < " : c == 0 ? " = " : " > ", stream);
  coresat_score_print(y, stream);
  std::fputs("\n", stream);
}

namespace
{
void self_test_inc(std::FILE *stream)
{
  score_number s = coresat_score_make(1, 0);
  score_number x = s;
  for(int i = 0; i <= 200; ++i)
  {
    score_number next = coresat_score_add(s, x);
    if(i >= 4)
      std::fputs("c ", stream);
    print_sum_line(stream, s, x, next);
    s = next;
    x = coresat_score_add(x, coresat_score_shift(x, -1));
  }
}

struct self_test_caset
{
  const char *name;
  bool is_cmp;
  const char *prefix;
  unsigned m1;
  int e1;
  unsigned m2;
  int e2;
};

const self_test_caset self_test_cases[] = {
  {"add0", false, "", 40, 0, 4, 0},
  {"add1", false, "", 10, 2, 1, 2},
  {"add2", false, "", 7, 29, 1, 29},
  {"add3", false, "", 7, -1, 1, -1},
  {"inf0", false, "c ", 65535, 32767, 65535, 32767},
  {"cmp0", true, "", 0, 0, 0, 0},
  {"cmp1", true, "", 0, 0, 1, 0},
  {"cmp2", true, "", 1, 0, 0, 0},
  {"cmp3", true, "", 0, 0, 1, -1},
  {"cmp4", true, "", 1, -1, 0, 0},
  {"cmp5", true, "", 2, 1, 2, 1},
  {"cmp6", true, "", 0, 1, 2, -1},
  {"cmp7", true, "", 2, -1, 0, 1},
  {"cmp8", true, "", 0, 1, 0, 1},
};

bool run_self_test_case(const char *name, std::FILE *stream)
{
  if(!std::strcmp(name, "constants"))
  {
    std::fprintf(
      stream,
      "c msb(mantissa) = %u\nc max(mantissa) = %u\n"
      "c min(exponent) = %d\nc max(exponent) = %d\n",
      coresat_score_msb_mantissa,
      coresat_score_max_mantissa,
      coresat_score_min_exponent,
      coresat_score_max_exponent);
    return true;
  }
  if(!std::strcmp(name, "max"))
  {
    std::fputs("c ", stream);
    coresat_score_print(coresat_score_make(65535, 32767), stream);
    std::fputs("\n", stream);
    return true;
  }
  if(!std::strcmp(name, "zero"))
  {
    coresat_score_print(coresat_score_zero, stream);
    std::fputs("\n", stream);
    return true;
  }
  if(!std::strcmp(name, "inc"))
  {
    self_test_inc(stream);
    return true;
  }
  for(const self_test_caset &c : self_test_cases)
  {
    if(std::strcmp(name, c.name))
      continue;
    std::fputs(c.prefix, stream);
    if(c.is_cmp)
      coresat_score_print_cmp(stream, c.m1, c.e1, c.m2, c.e2);
    else
      coresat_score_print_add(stream, c.m1, c.e1, c.m2, c.e2);
    return true;
  }
  return false;
}
} // namespace

int coresat_score_self_test(int argc, char **argv)
{
  if(argc < 3 || !argv[0] || !argv[2])
    return 1;
  std::FILE *stream = std::fopen(argv[2], "w");
  if(!stream)
    return 1;
  bool ran = run_self_test_case(argv[0], stream);
  std::fclose(stream);
  return ran ? 0 : 1;
}
