// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

// On a virtual machine every first touch of a 4 KiB page is a trip to the host, and for a block of tens of
// megabytes those faults take longer than the work done in it: a large block is advised to the kernel as huge-page
// memory before anything touches it, so that one fault maps 2 MiB.

// The size of a huge page.
inline constexpr std::size_t PageEnorme = std::size_t(2) << 20;

// Advises the whole huge pages that lie inside the block, and nothing outside it. A hint: whether the kernel takes
// it changes nothing else.
void ConseilleGrandesPages(void *debut, std::size_t taille);
