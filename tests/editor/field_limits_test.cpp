#include "editor/field_limits.h"

#include <gtest/gtest.h>

#include <string>

#include "editor/cell_checks.h"
#include "editor/degree.h"
#include "textformat/fields.h"
#include "textformat/sections.h"

namespace chanora {
namespace {

std::string Filled(int length, char c = '1') { return std::string(static_cast<std::size_t>(length), c); }

// A dialog that accepts a character more than its cell holds lets the user
// type a value the editor then refuses; one less hides a valid value.
TEST(FieldLimits, AFieldFilledToItsLimitFitsItsCellAndOneMoreDoesNot) {
  EXPECT_FALSE(NameCellProblem("Name", Filled(field_limit::kName, 'A')));
  EXPECT_TRUE(NameCellProblem("Name", Filled(field_limit::kName + 1, 'A')));

  EXPECT_FALSE(FrequencyCellProblem("Frequency", Filled(field_limit::kFrequency), false));
  EXPECT_TRUE(FrequencyCellProblem("Frequency", Filled(field_limit::kFrequency + 1), false));

  const auto positionWidth =
      static_cast<std::size_t>(InfoOf(SectionKind::Satellite).widths[satellite_field::kPosition]);
  EXPECT_FALSE(WordCellProblem("Position", Filled(field_limit::kPosition), positionWidth, true));
  EXPECT_TRUE(WordCellProblem("Position", Filled(field_limit::kPosition + 1), positionWidth, true));

  // The widest degree shown is also the widest one typed.
  const auto shown = DegreeToDisplay("-1799");
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->size(), static_cast<std::size_t>(field_limit::kDegree));
  EXPECT_EQ(DegreeToStored(*shown), "-1799");
}

}  // namespace
}  // namespace chanora
