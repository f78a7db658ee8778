#include "render/diagram_metrics.h"

namespace kova {

DiagramMetrics& ProcessDiagramMetrics() {
  static DiagramMetrics metrics;
  return metrics;
}

}  // namespace kova
