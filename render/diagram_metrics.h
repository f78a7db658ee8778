// The seven diagram metrics: lengths in pixels that shape every diagram.
#ifndef KOVA_RENDER_DIAGRAM_METRICS_H_
#define KOVA_RENDER_DIAGRAM_METRICS_H_

namespace kova {

struct DiagramMetrics {
  int AnweisungsHoehe = 30;       // height of every row
  int SchleifenBreite = 15;       // width of a loop's bar
  int AufrufBreite = 10;          // inset of a call's side lines, width of a break's wedge
  int LeerAbstand = 5;            // inset of the empty-block symbol
  int NullBreite = 50;            // smallest width of a sequence
  int Abstand = 10;               // horizontal text margin
  unsigned char Ausrichtung = 2;  // row texts: 0 left, 1 right, 2 centred, else at x = 0

  bool operator==(const DiagramMetrics&) const = default;
};

// The values the whole process draws with; the settings change them.
DiagramMetrics& ProcessDiagramMetrics();

}  // namespace kova

#endif  // KOVA_RENDER_DIAGRAM_METRICS_H_
