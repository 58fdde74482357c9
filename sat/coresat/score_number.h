#ifndef MORVANE_SAT_CORESAT_SCORE_NUMBER_H
#define MORVANE_SAT_CORESAT_SCORE_NUMBER_H

#include <cstdint>
#include <cstdio>

// Activity scores of the Coresat engine: one 32-bit word holding a 16-bit
// unsigned mantissa m (low half) and a 16-bit signed exponent e (high half),
// the value m * 2^e. Every operation returns normalised numbers (bit 15 of m
// set), zero (m = 0, e = 0) or infinity (m = 0, e != 0). Normalised finite
// numbers compare like signed 32-bit words, so heap moves stay cheap.
// Arithmetic truncates: overflow gives infinity, underflow gives zero.
typedef std::uint32_t score_number;

const unsigned coresat_score_msb_mantissa = 0x8000;
const unsigned coresat_score_max_mantissa = 0xFFFF;
const int coresat_score_min_exponent = -32768;
const int coresat_score_max_exponent = 32767;

const score_number coresat_score_zero = 0;
const score_number coresat_score_infinity = 0x10000;

unsigned coresat_score_mantissa(score_number x);
int coresat_score_exponent(score_number x);

// m * 2^e normalised; m > 0xFFFF or an exponent too large gives infinity, an
// exponent too small (also one reached while normalising) gives zero; m = 0
// gives zero for e = 0 and infinity otherwise.
score_number coresat_score_make(unsigned m, int e);
score_number coresat_score_normalize(score_number x);
score_number coresat_score_add(score_number a, score_number b);
// -1, 0 or 1.
int coresat_score_cmp(score_number a, score_number b);
// x * 2^d.
score_number coresat_score_shift(score_number x, int d);
int coresat_score_is_zero(score_number x);
int coresat_score_is_infinity(score_number x);

// Text form: "0", "infinity", or the odd mantissa and the power of two:
// 1 -> 1, 0.5 -> 2^-1, 40 -> 5*2^3, 3.5 -> 7*2^-1.
void coresat_score_print(score_number x, std::FILE *stream);
// "x + y = sum\n" and "x < y\n" (or " = ", " > ") of make(m1, e1) and
// make(m2, e2).
void coresat_score_print_add(
  std::FILE *stream, unsigned m1, int e1, unsigned m2, int e2);
void coresat_score_print_cmp(
  std::FILE *stream, unsigned m1, int e1, unsigned m2, int e2);

// Self-test driver: runs the case named argv[0] ("constants", "max", "zero",
// "add0" ... "add3", "inf0", "cmp0" ... "cmp8", "inc") writing into the file
// named argv[2]; argc must be at least 3. Returns 0 when a case ran, 1 for
// an unknown case or an unwritable file.
int coresat_score_self_test(int argc, char **argv);

#endif
