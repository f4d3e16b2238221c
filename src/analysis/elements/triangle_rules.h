#pragma once
// Integration rules on the reference triangle, shared by the element types
// that integrate with them. Weights are shares of the element's area, so each
// rule's weights sum to 1.
#include "analysis/elements/finite_element.h"

namespace trivane {

// Three interior points, exact for polynomials of degree 2.
inline constexpr IntegrationPoint DegreeTwoRule[] = {
    {{1.0 / 6.0, 1.0 / 6.0}, 1.0 / 3.0}, {{2.0 / 3.0, 1.0 / 6.0}, 1.0 / 3.0}, {{1.0 / 6.0, 2.0 / 3.0}, 1.0 / 3.0}};

// Six interior points, exact for polynomials of degree 4.
namespace rule_constants {
inline constexpr double A4 = 0.445948490915965, W4a = 0.223381589678011;
inline constexpr double B4 = 0.091576213509771, W4b = 0.109951743655322;
}  // namespace rule_constants
inline constexpr IntegrationPoint DegreeFourRule[] = {
    {{rule_constants::A4, rule_constants::A4}, rule_constants::W4a},
    {{1.0 - 2.0 * rule_constants::A4, rule_constants::A4}, rule_constants::W4a},
    {{rule_constants::A4, 1.0 - 2.0 * rule_constants::A4}, rule_constants::W4a},
    {{rule_constants::B4, rule_constants::B4}, rule_constants::W4b},
    {{1.0 - 2.0 * rule_constants::B4, rule_constants::B4}, rule_constants::W4b},
    {{rule_constants::B4, 1.0 - 2.0 * rule_constants::B4}, rule_constants::W4b}};

}  // namespace trivane
