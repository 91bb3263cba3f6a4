#include "view/view_options.h"

ViewOptions View{};
ViewExtent Extent{};
