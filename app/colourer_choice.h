// SPDX-FileCopyrightText: 2026 The Pintabel developers
// SPDX-License-Identifier: GPL-2.0-or-later

#pragma once

class QComboBox;
class QWidget;

// The choice of who colours, which decides the narrowest region: small hands need wide
// ones. Each entry's data is its width in mm on A4; the entry for mm is shown, or for an
// unknown width the narrowest.
QComboBox* newColourerChoice(double mm, QWidget* parent);
