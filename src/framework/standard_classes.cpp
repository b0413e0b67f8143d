#include "framework/standard_classes.h"

#include "framework/containers.h"
#include "framework/form.h"
#include "framework/form_loader.h"
#include "framework/graphic_controls.h"
#include "framework/menus.h"
#include "framework/std_controls.h"
#include "framework/timer.h"

namespace velotune {

void RegisterStandardClasses() {
  ComponentClasses& classes = TForm::Classes();
  classes.Add<TButton>();
  classes.Add<TCheckBox>();
  classes.Add<TRadioButton>();
  classes.Add<TEdit>();
  classes.Add<TComboBox>();
  classes.Add<TRichEdit>();
  classes.Add<TUpDown>();
  classes.Add<TTrackBar>();
  classes.Add<TPanel>();
  classes.Add<TGroupBox>();
  classes.Add<TScrollBox>();
  classes.Add<TPageControl>();
  classes.Add<TTabSheet>();
  classes.Add<TStatusBar>();
  classes.Add<TLabel>();
  classes.Add<TImage>();
  classes.Add<TShape>();
  classes.Add<TBevel>();
  classes.Add<TSpeedButton>();
  classes.Add<TTimer>();
  classes.Add<TMainMenu>();
  classes.Add<TPopupMenu>();
  classes.Add<TMenuItem>();
  classes.Add<TImageList>();
}

}  // namespace velotune
