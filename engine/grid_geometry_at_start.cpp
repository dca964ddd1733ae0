// gridGeometry worked out as the program starts, for a page, where the tables' bytes would
// cost more to fetch than the few milliseconds they take to work out.

#include "grid_geometry.h"
#include "grid_geometry_values.h"

namespace {

const GridGeometryValues values = workOutGridGeometry();

} // namespace

const GridGeometry gridGeometry{values.radii, values.radiusIndex, values.slopes, values.slopeIndex};
