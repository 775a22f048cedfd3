#include "engine/layer.h"

#include <utility>

#include "engine/drawable.h"

void Layer::sortDrawables() {
  int count = static_cast<int>(drawables.size());
  for (int i = count - 1; i >= 1; --i) {
    bool swapped = false;
    for (int j = 0; j < i; ++j) {
      if (drawables[j]->sortKey() > drawables[j + 1]->sortKey()) {
        std::swap(drawables[j], drawables[j + 1]);
        swapped = true;
      }
    }
    if (!swapped) return;
  }
}
