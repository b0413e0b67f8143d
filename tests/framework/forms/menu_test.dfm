object MenuTestForm: TMenuTestForm
  Left = 40
  Top = 40
  Caption = 'Menu test'
  ClientWidth = 360
  ClientHeight = 200
  Menu = MainMenu
  object Edit: TEdit
    Left = 8
    Top = 8
    Width = 200
    Text = 'Right-click me'
    PopupMenu = EditPopup
  end
  object DrawnArea: TPanel
    Left = 8
    Top = 40
    Width = 200
    Height = 100
    Caption = 'Owner-drawn popup'
    PopupMenu = DrawnPopup
  end
  object MainMenu: TMainMenu
    Images = Glyphs
    object FileMenu: TMenuItem
      Caption = '&File'
      OnClick = MenuClick
      object FileNew: TMenuItem
        Caption = '&New'
        ImageIndex = 0
        ShortCut = 16462
        OnClick = MenuClick
      end
      object FileOpen: TMenuItem
        Caption = '&Open...'
        Default = True
        ImageIndex = 1
        ShortCut = 16463
        OnClick = MenuClick
      end
      object FileSave: TMenuItem
        Caption = '&Save'
        Enabled = False
        ShortCut = 16467
        OnClick = MenuClick
      end
      object FileLine1: TMenuItem
        Caption = '-'
      end
      object FileRecent: TMenuItem
        Caption = '&Recent'
        OnClick = MenuClick
        object RecentFirst: TMenuItem
          Caption = '&1 first.txt'
          OnClick = MenuClick
        end
        object RecentSecond: TMenuItem
          Caption = '&2 second.txt'
          Checked = True
          OnClick = MenuClick
        end
      end
      object FileHidden: TMenuItem
        Caption = 'Hidden'
        Visible = False
        OnClick = MenuClick
      end
      object FileLine2: TMenuItem
        Caption = '-'
      end
      object FileExit: TMenuItem
        Caption = 'E&xit'
        ShortCut = 32883
        OnClick = MenuClick
      end
    end
    object EditMenu: TMenuItem
      Caption = '&Edit'
      OnClick = MenuClick
      object EditUndo: TMenuItem
        Caption = '&Undo'
        Enabled = False
        ShortCut = 16474
        OnClick = MenuClick
      end
      object EditLine: TMenuItem
        Caption = '-'
      end
      object EditWrap: TMenuItem
        Caption = '&Word wrap'
        Checked = True
        OnClick = MenuClick
      end
      object EditBold: TMenuItem
        Caption = '&Bold'
        Checked = True
        ImageIndex = 2
        OnClick = MenuClick
      end
    end
    object ViewMenu: TMenuItem
      Caption = '&View'
      Enabled = False
      OnClick = MenuClick
      object ViewZoom: TMenuItem
        Caption = '&Zoom'
        OnClick = MenuClick
      end
    end
    object HelpMenu: TMenuItem
      Caption = '&Help'
      OnClick = MenuClick
      object HelpAbout: TMenuItem
        Caption = '&About'
        ShortCut = 112
        OnClick = MenuClick
      end
    end
    object GoItem: TMenuItem
      Caption = '&Go!'
      OnClick = MenuClick
    end
  end
  object EditPopup: TPopupMenu
    Images = Glyphs
    OnPopup = PopupOpening
    object PopCut: TMenuItem
      Caption = 'Cu&t'
      ImageIndex = 0
      ShortCut = 16472
      OnClick = MenuClick
    end
    object PopCopy: TMenuItem
      Caption = '&Copy'
      Default = True
      ShortCut = 16451
      OnClick = MenuClick
    end
    object PopPaste: TMenuItem
      Caption = '&Paste'
      Enabled = False
      ShortCut = 16470
      OnClick = MenuClick
    end
    object PopLine: TMenuItem
      Caption = '-'
    end
    object PopMore: TMenuItem
      Caption = '&More'
      object PopSelectAll: TMenuItem
        Caption = 'Select &All'
        Checked = True
        OnClick = MenuClick
      end
    end
  end
  object DrawnPopup: TPopupMenu
    Images = Glyphs
    OwnerDraw = True
    object DrawnFirst: TMenuItem
      Caption = '&First'
      ImageIndex = 1
      OnClick = MenuClick
      OnMeasureItem = ItemMeasure
      OnDrawItem = ItemDraw
    end
    object DrawnLine: TMenuItem
      Caption = '-'
    end
    object DrawnSecond: TMenuItem
      Caption = '&Second'
      Checked = True
      ShortCut = 16467
      OnClick = MenuClick
    end
  end
  object Glyphs: TImageList
    Bitmap.Data = {
      07544269746D6170F6010000424DF60100000000000076000000280000003000
      000010000000010004000000000080010000130B0000130B0000100000000000
      0000FF00FF001E1EDC00DC3C1E00000000003CA01E00FFFFFF00000000000000
      0000000000000000000000000000000000000000000000000000000000000000
      0000000000000000000000000000000000000000000000000000000333333333
      3000000000022000000000000000000000000003555555553000000000222200
      0000000044444444000000035555555530000000022222200000000044444444
      0000000355555555300000002222222200000000444444440000000355555555
      3000000222222222200000004400000000000003555555553000002222222222
      2200000044000000000000035555555530000222222222222220000044444444
      0000000355555555300002222222222222200000444444440000000351111115
      3000002222222222220000004400000000000003511111153000000222222222
      2000000044000000000000035111111530000000222222220000000044444444
      0000000355555555300000000222222000000000444444440000000355555555
      3000000000222200000000004444444400000003333333333000000000022000
      0000000000000000000000000000000000000000000000000000000000000000
      0000}
  end
end
