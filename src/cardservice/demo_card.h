#pragma once
// The demo card of `zeph-cardservice --demo`: a SIM of eight contacts and
// three messages waiting in the store (a short text, a long text and a
// picture message), with the default settings.

#include "cardservice/card_model.h"

namespace zeph::cardservice {

// Replaces the SIM phonebook and the stored messages of `card`.
void FillDemoCard(CardModel& card);

// The demo's picture: a smiling face on the left, a heart on the right.
PictureImage DemoPicture();

}  // namespace zeph::cardservice
