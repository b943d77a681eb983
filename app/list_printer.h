#pragma once

#include <vector>

class QAbstractItemModel;
class QPagedPaintDevice;

namespace chanora {

// Prints the given columns of a table, in that order: their titles as a
// header on every page, the rows over as many pages as they need, each column
// as wide as its contents within the page (longer texts are cut with an
// ellipsis), and the page number at the foot. Columns the model lacks are left
// out. False when the device cannot be drawn on (a PDF file that cannot be
// written, a printer that went away).
bool PrintTable(const QAbstractItemModel& model, const std::vector<int>& columns, QPagedPaintDevice& device);

// Column widths within `available`: as wanted when they all fit; otherwise
// narrow columns keep their width and the wide ones share what is left evenly.
std::vector<int> FitColumnWidths(const std::vector<int>& wanted, int available);

}  // namespace chanora
