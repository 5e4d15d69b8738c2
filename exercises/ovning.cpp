// COvning: the exercise base.
#include "exercises/ovning.h"

#include "platform/Errors.h"

std::string COvning::NextQuestion() { throw EAbstractError(); }
bool COvning::IsCorrect(const TAnswer&) { throw EAbstractError(); }
void COvning::Tick() { throw EAbstractError(); }
