#include "app/program_classes.h"

#include "framework/form.h"
#include "framework/standard_classes.h"
#include "resize/resize_kit.h"
#include "skin/data/skin_data_component.h"

namespace velotune {

void RegisterProgramClasses() {
  RegisterStandardClasses();
  RegisterResizeKitClass(TForm::Classes());
  RegisterSkinClasses(TForm::Classes());
}

}  // namespace velotune
