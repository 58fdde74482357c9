// Adapters that own an engine, a proof or a recorder cannot be copied or
// assigned: a copy of a Proofsat adapter would free the engine twice, and a
// copy of a Coresat adapter would get around the one-adapter rule and reset
// the global engine under the original when it goes. Checked when this file
// compiles.

#include "sat/satcheck_coresat.h"
#include "sat/satcheck_groupsat.h"
#include "sat/satcheck_proofsat.h"
#include "sat/satcheck_proofsat_core.h"
#include "sat/satcheck_proofsat_interpolation.h"

#include <type_traits>

namespace
{
template <class adaptert>
constexpr bool cannot_be_copied = !std::is_copy_constructible_v<adaptert> &&
                                  !std::is_copy_assignable_v<adaptert>;

static_assert(cannot_be_copied<satcheck_proofsat_baset>);
static_assert(cannot_be_copied<satcheck_proofsatt>);
static_assert(cannot_be_copied<satcheck_proofsat_coret>);
static_assert(cannot_be_copied<satcheck_proofsat_interpolationt>);
static_assert(cannot_be_copied<satcheck_groupsatt>);
static_assert(cannot_be_copied<satcheck_coresat_baset>);
static_assert(cannot_be_copied<satcheck_coresatt>);
static_assert(cannot_be_copied<satcheck_coresat_coret>);
} // namespace
