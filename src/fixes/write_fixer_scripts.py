#!/usr/bin/env python3
"""Writes the FIXER folder: the registry scripts and batch files that the FIX
page's repairs start. The tables below are the source; the .fix and .bat files
are generated from them (rerun after editing: python3 write_fixer_scripts.py).

Scripts are in the registry editor's ANSI import format ("REGEDIT4") with
CR LF line ends, so REG_EXPAND_SZ and REG_MULTI_SZ values are hex(2)/hex(7)
lists of single-byte text, which both the Windows and the Wine registry editor
convert on import. Every script restores the values
an untouched installation has; a few remove only the values they are named
after (the CD/DVD filter drivers, per-extension user choices).
"""
import os
import sys

HKCR = "HKEY_CLASSES_ROOT"
HKCU = "HKEY_CURRENT_USER"
HKLM = "HKEY_LOCAL_MACHINE"
SERVICES = HKLM + r"\SYSTEM\CurrentControlSet\services"
FILE_EXTS = HKCU + r"\Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts"


# Value constructors: (name, kind, data). "@" is the key's default value.
def sz(name, text):
    return (name, "sz", text)


def expand(name, text):
    return (name, "expand", text)


def dword(name, value):
    return (name, "dword", value)


def multi(name, *items):
    return (name, "multi", list(items))


def binary(name, data):
    return (name, "binary", bytes(data))


def remove(name):
    return (name, "remove", None)


def key(path, *values):
    return ("key", path, list(values))


def drop_key(path):
    return ("drop", path, [])


def quote(text):
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def hex_bytes(data):
    return ",".join("%02x" % b for b in data)


def ansi(text):
    return text.encode("ascii") + b"\0"


def value_line(value):
    name, kind, data = value
    lhs = "@" if name == "@" else quote(name)
    if kind == "sz":
        rhs = quote(data)
    elif kind == "dword":
        rhs = "dword:%08x" % data
    elif kind == "expand":
        rhs = "hex(2):" + hex_bytes(ansi(data))
    elif kind == "multi":
        rhs = "hex(7):" + hex_bytes(b"".join(ansi(s) for s in data) + b"\0")
    elif kind == "binary":
        rhs = "hex:" + hex_bytes(data)
    elif kind == "remove":
        rhs = "-"
    else:
        raise ValueError(kind)
    return lhs + "=" + rhs


def render(entries):
    lines = ["REGEDIT4", ""]
    for what, path, values in entries:
        lines.append(("[-%s]" if what == "drop" else "[%s]") % path)
        lines.extend(value_line(v) for v in values)
        lines.append("")
    return "\r\n".join(lines) + "\r\n"


# ---------------------------------------------------------------------------
# Shared pieces

SYS = "%SystemRoot%\\System32\\"
NOTEPAD = "%SystemRoot%\\system32\\NOTEPAD.EXE"
PHOTO_VIEWER = ('%SystemRoot%\\System32\\rundll32.exe "%ProgramFiles%\\Windows Photo Viewer\\'
                'PhotoViewer.dll", ImageView_Fullscreen %1')
PHOTO_VIEWER_VERB = "@%ProgramFiles%\\Windows Photo Viewer\\photoviewer.dll,-3043"
PHOTO_VIEWER_DROP = "{FFE2A43C-56B9-4bf5-9A79-CC6D4285608A}"
PAINT = '"%systemroot%\\system32\\mspaint.exe" "%1"'
PAINT_PRINTTO = '"%systemroot%\\system32\\mspaint.exe" /pt "%1" "%2" "%3" "%4"'


def clear_user_choice(ext):
    """The per-user choice that overrides the machine-wide association."""
    return drop_key(FILE_EXTS + "\\" + ext + "\\UserChoice")


def extension(ext, progid, *extra):
    return key(HKCR + "\\" + ext, sz("@", progid), *extra)


def verb(progid, name, command, expandable=True, *extra):
    make = expand if expandable else sz
    return key(HKCR + "\\%s\\shell\\%s\\command" % (progid, name), make("@", command), *extra)


def image_progid(progid, caption, icon):
    p = HKCR + "\\" + progid
    return [
        key(p, sz("@", caption), dword("EditFlags", 0x00010000)),
        key(p + "\\DefaultIcon", expand("@", icon)),
        key(p + "\\shell\\open", expand("MuiVerb", PHOTO_VIEWER_VERB)),
        key(p + "\\shell\\open\\command", expand("@", PHOTO_VIEWER)),
        key(p + "\\shell\\open\\DropTarget", sz("Clsid", PHOTO_VIEWER_DROP)),
        key(p + "\\shell\\edit\\command", expand("@", PAINT)),
        key(p + "\\shell\\printto\\command", expand("@", PAINT_PRINTTO)),
    ]


def image_assoc(ext, progid, mime, caption, icon):
    return [clear_user_choice(ext),
            extension(ext, progid, sz("Content Type", mime), sz("PerceivedType", "image")),
            key(HKCR + "\\%s\\OpenWithProgids" % ext, binary(progid, b""))] + image_progid(
                progid, caption, icon)


def text_assoc(ext, progid):
    return [clear_user_choice(ext),
            extension(ext, progid, sz("Content Type", "text/plain"), sz("PerceivedType", "text"))]


TXTFILE = [
    key(HKCR + "\\txtfile", sz("@", "Text Document"), dword("EditFlags", 0x00210000),
        expand("FriendlyTypeName", "@%SystemRoot%\\system32\\notepad.exe,-469")),
    key(HKCR + "\\txtfile\\DefaultIcon", expand("@", "%SystemRoot%\\system32\\imageres.dll,-102")),
    verb("txtfile", "open", NOTEPAD + " %1"),
    verb("txtfile", "print", NOTEPAD + " /p %1"),
    verb("txtfile", "printto", NOTEPAD + ' /pt "%1" "%2" "%3" "%4"'),
]


def html_assoc(ext):
    return [
        clear_user_choice(ext),
        extension(ext, "htmlfile", sz("Content Type", "text/html"), sz("PerceivedType", "text")),
        key(HKCR + r"\htmlfile", sz("@", "HTML Document"),
            sz("AppUserModelID", "Microsoft.InternetExplorer.Default")),
        key(HKCR + r"\htmlfile\shell", sz("@", "opennew")),
        verb("htmlfile", "open", '"%ProgramFiles%\\Internet Explorer\\iexplore.exe" %1'),
        verb("htmlfile", "opennew", '"%ProgramFiles%\\Internet Explorer\\iexplore.exe" %1'),
        verb("htmlfile", "edit", NOTEPAD + " %1"),
    ]


def script_assoc(ext, progid, caption, friendly, icon, engine):
    p = HKCR + "\\" + progid
    wsh = "{60254CA5-953B-11CF-8C96-00AA00B8708C}"
    return [
        clear_user_choice(ext),
        extension(ext, progid),
        key(p, sz("@", caption), dword("EditFlags", 0),
            expand("FriendlyTypeName", friendly)),
        key(p + "\\DefaultIcon", expand("@", icon)),
        key(p + "\\ScriptEngine", sz("@", engine)),
        key(p + "\\shell", sz("@", "open")),
        verb(progid, "open", SYS + 'WScript.exe "%1" %*'),
        verb(progid, "open2", SYS + 'CScript.exe "%1" %*'),
        verb(progid, "edit", SYS + "Notepad.exe %1"),
        verb(progid, "print", SYS + "Notepad.exe /p %1"),
        key(p + "\\shellex\\DropHandler", sz("@", wsh)),
        key(p + "\\shellex\\PropertySheetHandlers\\WSHProps", sz("@", wsh)),
    ]


def service(name, display, description, image, start, svc_type, object_name=None,
            group=None, depends=None, delayed=False, sid_type=1, service_dll=None):
    values = [expand("ImagePath", image), sz("DisplayName", display),
              sz("Description", description), dword("ErrorControl", 1),
              dword("Start", start), dword("Type", svc_type)]
    if object_name:
        values.append(sz("ObjectName", object_name))
    if group:
        values.append(sz("Group", group))
    if depends:
        values.append(multi("DependOnService", *depends))
    if delayed:
        values.append(dword("DelayedAutostart", 1))
    if sid_type is not None:
        values.append(dword("ServiceSidType", sid_type))
    entries = [key(SERVICES + "\\" + name, *values)]
    if service_dll:
        entries.append(key(SERVICES + "\\%s\\Parameters" % name, expand("ServiceDll", service_dll)))
    return entries


def folder_options(advanced):
    policies = r"\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer"
    return [
        key(HKCU + policies, dword("NoFolderOptions", 0)),
        key(HKLM + policies, dword("NoFolderOptions", 0)),
        key(HKCU + r"\Software\Microsoft\Windows\CurrentVersion\Explorer\Advanced",
            *[dword(n, v) for n, v in advanced]),
    ]


# The View-tab settings every version shares, then each version's own.
FO_COMMON = [("Hidden", 2), ("HideFileExt", 1), ("ShowSuperHidden", 0), ("SeparateProcess", 0),
             ("ShowInfoTip", 1), ("FolderContentsInfoTip", 1), ("PersistBrowsers", 0)]
FO_XP = FO_COMMON + [("WebView", 1), ("ShowCompColor", 1), ("FriendlyTree", 1),
                     ("DisableThumbnailCache", 0), ("WebViewBarricade", 0), ("ClassicViewState", 0)]
FO_VISTA = FO_COMMON + [("ShowCompColor", 1), ("FriendlyTree", 1), ("AlwaysShowMenus", 0),
                        ("IconsOnly", 0), ("ShowTypeOverlay", 1), ("DontPrettyPath", 0),
                        ("HideDrivesWithNoMedia", 1), ("AutoCheckSelect", 0),
                        ("ShowPreviewHandlers", 1), ("SharingWizardOn", 1)]
FO_7 = FO_VISTA + [("NavPaneShowAllFolders", 0), ("NavPaneExpandToCurrentFolder", 0)]
FO_8 = [item for item in FO_7 if item[0] != "ShowCompColor"] + [
    ("ShowEncryptCompressedColor", 1), ("HideMergeConflicts", 1), ("ShowStatusBar", 1)]

RECYCLE_BIN = "{645FF040-5081-101B-9F08-00AA002F954E}"
NEW_MENU = "{D969A300-E7FF-11d0-A93B-00A0C90F2719}"
CDROM_CLASS = HKLM + r"\SYSTEM\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}"
DELEGATE_FOLDER = "{11dbb47c-a525-400b-9e80-a54615a090c0}"
DEFENDER_SCAN = '"%ProgramFiles%\\Windows Defender\\MpCmdRun.exe" -scan -scantype 3 -file "%1"'
WMP = '"%ProgramFiles%\\Windows Media Player\\wmplayer.exe"'

SCRIPTS = {
    # --- System tools -------------------------------------------------------
    r"SysTools\w7-snippingtool-fix.fix": [
        key(HKLM + r"\SOFTWARE\Policies\Microsoft\TabletPC", dword("DisableSnippingTool", 0)),
        key(HKCU + r"\Software\Policies\Microsoft\TabletPC", dword("DisableSnippingTool", 0)),
    ],
    r"SysTools\Enable_CMD.fix": [
        key(HKCU + r"\Software\Policies\Microsoft\Windows\System", dword("DisableCMD", 0)),
        key(HKLM + r"\SOFTWARE\Policies\Microsoft\Windows\System", dword("DisableCMD", 0)),
    ],
    r"SysTools\devmgr-snapin.fix": [
        key(HKLM + r"\SOFTWARE\Microsoft\MMC\NodeTypes\{476e6449-aaff-11d0-b944-00c04fd8d5b0}"
            r"\Extensions\NameSpace",
            sz("{74246bfc-4c96-11d0-abef-0020af6b0b7a}", "Device Manager")),
    ],
    # --- Explorer -----------------------------------------------------------
    r"Explorer\doubleclick.fix": [
        key(HKCU + r"\Control Panel\Mouse", sz("DoubleClickSpeed", "500"),
            sz("DoubleClickHeight", "4"), sz("DoubleClickWidth", "4")),
        key(HKCR + r"\Directory\shell", sz("@", "none")),
        key(HKCR + r"\Drive\shell", sz("@", "none")),
        key(HKCR + r"\Folder\shell\open\command", expand("@", "%SystemRoot%\\Explorer.exe"),
            sz("DelegateExecute", DELEGATE_FOLDER)),
    ],
    r"Explorer\w7-details-tab.fix": [
        key(HKCR + r"\*\shellex\PropertySheetHandlers\{883373C3-BF89-11D1-BE35-080036B11A03}",
            sz("@", "Summary Properties Page")),
        key(HKCR + r"\CLSID\{883373C3-BF89-11D1-BE35-080036B11A03}",
            sz("@", "Summary Properties Page")),
        key(HKCR + r"\CLSID\{883373C3-BF89-11D1-BE35-080036B11A03}\InProcServer32",
            expand("@", "%SystemRoot%\\system32\\shell32.dll"), sz("ThreadingModel", "Apartment")),
    ],
    r"Explorer\rbemptyfull.fix": [
        key(HKCR + r"\CLSID\%s\DefaultIcon" % RECYCLE_BIN,
            expand("@", SYS + "imageres.dll,-54"), expand("Empty", SYS + "imageres.dll,-55"),
            expand("Full", SYS + "imageres.dll,-54")),
        key(HKCU + r"\Software\Microsoft\Windows\CurrentVersion\Explorer\CLSID\%s\DefaultIcon"
            % RECYCLE_BIN,
            expand("@", SYS + "imageres.dll,-54"), expand("Empty", SYS + "imageres.dll,-55"),
            expand("Full", SYS + "imageres.dll,-54")),
    ],
    r"Explorer\restorenewcontextmenu.fix": [
        key(HKCR + r"\Directory\Background\shellex\ContextMenuHandlers\New", sz("@", NEW_MENU)),
        key(HKCR + r"\CLSID\%s" % NEW_MENU, sz("@", "New")),
        key(HKCR + r"\CLSID\%s\InProcServer32" % NEW_MENU,
            expand("@", "%SystemRoot%\\system32\\shell32.dll"), sz("ThreadingModel", "Apartment")),
        key(HKCR + r"\Folder\ShellNew", sz("Directory", ""),
            expand("IconPath", "%SystemRoot%\\system32\\shell32.dll,3"),
            sz("ItemName", "@shell32.dll,-30396"), sz("MenuText", "@shell32.dll,-30317"),
            sz("NonLFNFileSpec", "@shell32.dll,-30319")),
        key(HKCR + r"\.lnk\ShellNew", sz("Handler", "{ceefea1b-3e29-4ef1-b34c-fec79c4f70af}"),
            expand("IconPath", "%SystemRoot%\\system32\\shell32.dll,-16769"),
            sz("ItemName", "@shell32.dll,-30397"), sz("MenuText", "@shell32.dll,-30318"),
            sz("NullFile", "")),
        key(HKCR + r"\.txt\ShellNew", expand("ItemName", "@%SystemRoot%\\system32\\notepad.exe,-470"),
            sz("NullFile", "")),
        key(HKCR + r"\.bmp\ShellNew",
            expand("ItemName", "@%systemroot%\\system32\\mspaint.exe,-59414"), sz("NullFile", "")),
        key(HKCR + r"\.zip\CompressedFolder\ShellNew",
            binary("Data", b"PK\x05\x06" + bytes(18)),
            expand("ItemName", "@%SystemRoot%\\system32\\zipfldr.dll,-10194")),
    ],
    r"Explorer\Default_MenuShowDelay.fix": [
        key(HKCU + r"\Control Panel\Desktop", sz("MenuShowDelay", "400")),
    ],
    r"Explorer\FolderOptions_XP.fix": folder_options(FO_XP),
    r"Explorer\FolderOptions_Vista.fix": folder_options(FO_VISTA),
    r"Explorer\FolderOptions_7.fix": folder_options(FO_7),
    r"Explorer\FolderOptions_8.fix": folder_options(FO_8),
    # --- File associations --------------------------------------------------
    r"FileAssoc\w7-library-fix.fix": [
        clear_user_choice(".library-ms"),
        extension(".library-ms", "LibraryFolder"),
        key(HKCR + r"\LibraryFolder", sz("@", "Library Folder"),
            expand("FriendlyTypeName", "@%SystemRoot%\\system32\\shell32.dll,-34584"),
            sz("NeverShowExt", "")),
        key(HKCR + r"\LibraryFolder\CLSID", sz("@", "{a5a3563a-5755-4a6f-854e-afa3230b199f}")),
        key(HKCR + r"\LibraryFolder\DefaultIcon",
            expand("@", "%SystemRoot%\\system32\\imageres.dll,-1001")),
    ],
    r"FileAssoc\w7-cddvd-asso_dvd.fix": [
        key(HKCR + r"\DVD", sz("@", "DVD")),
        key(HKCR + r"\DVD\shell", sz("@", "none")),
        key(HKCR + r"\DVD\shell\play\command", expand("@", WMP + " /prefetch:3 /device:DVD \"%L\"")),
    ],
    r"FileAssoc\w7-cddvd-asso_audiocd.fix": [
        key(HKCR + r"\AudioCD", sz("@", "AudioCD")),
        key(HKCR + r"\AudioCD\shell", sz("@", "none")),
        key(HKCR + r"\AudioCD\shell\play\command",
            expand("@", WMP + " /prefetch:3 /device:AudioCD \"%L\"")),
    ],
    r"FileAssoc\Default_BAT.fix": [
        clear_user_choice(".bat"),
        extension(".bat", "batfile", sz("PerceivedType", "application")),
        key(HKCR + r"\batfile", sz("@", "Windows Batch File"), binary("EditFlags", b"\x30\x04\0\0"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\acppage.dll,-6002")),
        key(HKCR + r"\batfile\DefaultIcon", expand("@", "%SystemRoot%\\System32\\imageres.dll,-68")),
        key(HKCR + r"\batfile\shell\open\command", sz("@", '"%1" %*')),
        verb("batfile", "edit", "%SystemRoot%\\System32\\notepad.exe %1"),
        verb("batfile", "print", "%SystemRoot%\\System32\\notepad.exe /p %1"),
        verb("batfile", "runas", '%SystemRoot%\\System32\\cmd.exe /C "%1" %*'),
    ],
    r"FileAssoc\Default_BMP.fix": image_assoc(".bmp", "Paint.Picture", "image/bmp", "Bitmap Image",
                                               SYS + "imageres.dll,-70"),
    r"FileAssoc\Default_CPL.fix": [
        clear_user_choice(".cpl"),
        extension(".cpl", "cplfile"),
        key(HKCR + r"\cplfile", sz("@", "Control panel item"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\shell32.dll,-10154")),
        key(HKCR + r"\cplfile\DefaultIcon", expand("@", "%SystemRoot%\\System32\\imageres.dll,-67")),
        key(HKCR + r"\cplfile\shell", sz("@", "cplopen")),
        key(HKCR + r"\cplfile\shell\cplopen", sz("@", "Open with Control Panel")),
        verb("cplfile", "cplopen", SYS + 'control.exe "%1",%*'),
        verb("cplfile", "runas", SYS + 'control.exe "%1",%*'),
    ],
    r"FileAssoc\Default_DLL.fix": [
        clear_user_choice(".dll"),
        extension(".dll", "dllfile", sz("Content Type", "application/x-msdownload"),
                  sz("PerceivedType", "system")),
        key(HKCR + r"\dllfile", sz("@", "Application Extension"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\shell32.dll,-10150")),
        key(HKCR + r"\dllfile\DefaultIcon", expand("@", "%SystemRoot%\\System32\\imageres.dll,-67")),
    ],
    r"FileAssoc\Default_EXE.fix": [
        clear_user_choice(".exe"),
        extension(".exe", "exefile", sz("Content Type", "application/x-msdownload")),
        key(HKCR + r"\.exe\PersistentHandler", sz("@", "{098f2470-bae0-11cd-b579-08002b30bfeb}")),
        key(HKCR + r"\exefile", sz("@", "Application"), binary("EditFlags", b"\x38\x07\0\0"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\shell32.dll,-10156")),
        key(HKCR + r"\exefile\DefaultIcon", sz("@", "%1")),
        key(HKCR + r"\exefile\shell\open", binary("EditFlags", b"\0\0\0\0")),
        key(HKCR + r"\exefile\shell\open\command", sz("@", '"%1" %*'),
            sz("IsolatedCommand", '"%1" %*')),
        key(HKCR + r"\exefile\shell\runas", sz("HasLUAShield", "")),
        key(HKCR + r"\exefile\shell\runas\command", sz("@", '"%1" %*'),
            sz("IsolatedCommand", '"%1" %*')),
        key(HKCR + r"\exefile\shellex\DropHandler", sz("@", "{86C86720-42A0-1069-A2E8-08002B30309D}")),
    ],
    r"FileAssoc\Default_GIF.fix": image_assoc(".gif", "giffile", "image/gif", "GIF Image",
                                               SYS + "imageres.dll,-83"),
    r"FileAssoc\Default_HTM.fix": html_assoc(".htm"),
    r"FileAssoc\Default_HTML.fix": html_assoc(".html"),
    r"FileAssoc\Default_ICO.fix": [
        clear_user_choice(".ico"),
        extension(".ico", "icofile", sz("Content Type", "image/x-icon"),
                  sz("PerceivedType", "image")),
        key(HKCR + r"\icofile", sz("@", "Icon"), dword("EditFlags", 0x00010000)),
        key(HKCR + r"\icofile\DefaultIcon", sz("@", "%1")),
        key(HKCR + r"\icofile\shell\open", expand("MuiVerb", PHOTO_VIEWER_VERB)),
        key(HKCR + r"\icofile\shell\open\command", expand("@", PHOTO_VIEWER)),
        key(HKCR + r"\icofile\shell\open\DropTarget", sz("Clsid", PHOTO_VIEWER_DROP)),
    ],
    r"FileAssoc\Default_INI.fix": [
        clear_user_choice(".ini"),
        extension(".ini", "inifile", sz("PerceivedType", "text")),
        key(HKCR + r"\inifile", sz("@", "Configuration Settings"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\shell32.dll,-10151")),
        key(HKCR + r"\inifile\DefaultIcon", expand("@", "%SystemRoot%\\system32\\imageres.dll,-69")),
        verb("inifile", "open", NOTEPAD + " %1"),
        verb("inifile", "print", NOTEPAD + " /p %1"),
    ],
    r"FileAssoc\Default_INF.fix": [
        clear_user_choice(".inf"),
        extension(".inf", "inffile", sz("PerceivedType", "text")),
        key(HKCR + r"\inffile", sz("@", "Setup Information"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\setupapi.dll,-2000")),
        key(HKCR + r"\inffile\DefaultIcon", expand("@", "%SystemRoot%\\system32\\imageres.dll,-69")),
        verb("inffile", "open", NOTEPAD + " %1"),
        verb("inffile", "print", NOTEPAD + " /p %1"),
        verb("inffile", "install", SYS + 'InfDefaultInstall.exe "%1"'),
    ],
    r"FileAssoc\Default_JPE.fix": image_assoc(".jpe", "jpegfile", "image/jpeg", "JPEG Image",
                                               SYS + "imageres.dll,-72"),
    r"FileAssoc\Default_JPEG.fix": image_assoc(".jpeg", "jpegfile", "image/jpeg", "JPEG Image",
                                                SYS + "imageres.dll,-72"),
    r"FileAssoc\Default_JPG.fix": image_assoc(".jpg", "jpegfile", "image/jpeg", "JPEG Image",
                                               SYS + "imageres.dll,-72"),
    r"FileAssoc\Default_JS.fix": script_assoc(".js", "JSFile", "JScript Script File",
                                              "@" + SYS + "wshext.dll,-4804",
                                              SYS + "WScript.exe,3", "JScript"),
    r"FileAssoc\Default_JSE.fix": script_assoc(".jse", "JSEFile", "JScript Encoded File",
                                               "@" + SYS + "wshext.dll,-4805",
                                               SYS + "WScript.exe,3", "JScript.Encode"),
    r"FileAssoc\Default_LNK.fix": [
        clear_user_choice(".lnk"),
        extension(".lnk", "lnkfile"),
        key(HKCR + r"\lnkfile", sz("@", "Shortcut"), dword("EditFlags", 1),
            sz("FriendlyTypeName", "@shell32.dll,-4153"), sz("IsShortcut", ""),
            sz("NeverShowExt", "")),
        key(HKCR + r"\lnkfile\CLSID", sz("@", "{00021401-0000-0000-C000-000000000046}")),
        key(HKCR + r"\lnkfile\shellex\IconHandler",
            sz("@", "{00021401-0000-0000-C000-000000000046}")),
        key(HKCR + r"\lnkfile\shellex\DropHandler",
            sz("@", "{00021401-0000-0000-C000-000000000046}")),
        key(HKCR + r"\lnkfile\shellex\ContextMenuHandlers\OpenContainingFolderMenu",
            sz("@", "{37ea3a21-7493-4208-a011-7f9ea79ce9f5}")),
        key(HKCR + r"\lnkfile\shellex\PropertySheetHandlers\ShimLayer Property Page",
            sz("@", "{513D916F-2A8E-4F51-AEAB-0CFC76A2DFC7}")),
    ],
    r"FileAssoc\Default_LOG.fix": text_assoc(".log", "txtfile") + TXTFILE,
    r"FileAssoc\Default_MSC.fix": [
        clear_user_choice(".msc"),
        extension(".msc", "MSCFile"),
        key(HKCR + r"\MSCFile", sz("@", "Microsoft Common Console Document"),
            expand("FriendlyTypeName", "@%SystemRoot%\\system32\\mmcbase.dll,-130")),
        key(HKCR + r"\MSCFile\DefaultIcon", expand("@", "%SystemRoot%\\system32\\mmc.exe,0")),
        key(HKCR + r"\MSCFile\shell", sz("@", "Open")),
        verb("MSCFile", "Open", SYS + 'mmc.exe "%1" %*'),
        verb("MSCFile", "Author", SYS + 'mmc.exe /a "%1" %*'),
        verb("MSCFile", "RunAs", SYS + 'mmc.exe "%1" %*'),
    ],
    r"FileAssoc\Default_MSI.fix": [
        clear_user_choice(".msi"),
        extension(".msi", "Msi.Package", sz("Content Type", "application/x-ole-storage")),
        key(HKCR + r"\Msi.Package", sz("@", "Windows Installer Package"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\msi.dll,-34")),
        key(HKCR + r"\Msi.Package\DefaultIcon", expand("@", "%SystemRoot%\\System32\\msiexec.exe,0")),
        key(HKCR + r"\Msi.Package\shell", sz("@", "Open")),
        verb("Msi.Package", "Open", SYS + 'msiexec.exe /i "%1" %*'),
        verb("Msi.Package", "Repair", SYS + 'msiexec.exe /f "%1" %*'),
        verb("Msi.Package", "Uninstall", SYS + 'msiexec.exe /x "%1" %*'),
    ],
    r"FileAssoc\Default_PNG.fix": image_assoc(".png", "pngfile", "image/png", "PNG Image",
                                               SYS + "imageres.dll,-71"),
    r"FileAssoc\Default_REG.fix": [
        clear_user_choice(".reg"),
        extension(".reg", "regfile"),
        key(HKCR + r"\regfile", sz("@", "Registration Entries"), dword("EditFlags", 0x00100000),
            expand("FriendlyTypeName", "@%SystemRoot%\\regedit.exe,-309")),
        key(HKCR + r"\regfile\DefaultIcon", expand("@", "%SystemRoot%\\regedit.exe,1")),
        key(HKCR + r"\regfile\shell", sz("@", "open")),
        key(HKCR + r"\regfile\shell\open\command", sz("@", 'regedit.exe "%1"')),
        verb("regfile", "edit", NOTEPAD + " %1"),
        verb("regfile", "print", NOTEPAD + " /p %1"),
    ],
    r"FileAssoc\Default_SCR.fix": [
        clear_user_choice(".scr"),
        extension(".scr", "scrfile", sz("Content Type", "application/x-msdownload")),
        key(HKCR + r"\scrfile", sz("@", "Screen saver"),
            expand("FriendlyTypeName", "@%SystemRoot%\\System32\\shell32.dll,-10153")),
        key(HKCR + r"\scrfile\DefaultIcon", sz("@", "%1")),
        key(HKCR + r"\scrfile\shell\config\command", sz("@", '"%1"')),
        verb("scrfile", "install", "rundll32.exe desk.cpl,InstallScreenSaver %l"),
        key(HKCR + r"\scrfile\shell\open\command", sz("@", '"%1" /S')),
    ],
    r"FileAssoc\Default_TXT.fix": text_assoc(".txt", "txtfile") + [
        key(HKCR + r"\.txt\ShellNew", expand("ItemName", "@%SystemRoot%\\system32\\notepad.exe,-470"),
            sz("NullFile", ""))] + TXTFILE,
    r"FileAssoc\Default_TTF.fix": [
        clear_user_choice(".ttf"),
        extension(".ttf", "ttffile", sz("PerceivedType", "system")),
        key(HKCR + r"\ttffile", sz("@", "TrueType font file"),
            expand("FriendlyTypeName", "@%SystemRoot%\\system32\\fontext.dll,-10003")),
        key(HKCR + r"\ttffile\DefaultIcon", expand("@", "%SystemRoot%\\system32\\fontext.dll,-10")),
        verb("ttffile", "open", SYS + "fontview.exe %1"),
        verb("ttffile", "print", SYS + "fontview.exe /p %1"),
    ],
    r"FileAssoc\Default_VBS.fix": script_assoc(".vbs", "VBSFile", "VBScript Script File",
                                               "@" + SYS + "wshext.dll,-4802",
                                               SYS + "WScript.exe,2", "VBScript"),
    r"FileAssoc\Default_ZIP.fix": [
        clear_user_choice(".zip"),
        extension(".zip", "CompressedFolder", sz("Content Type", "application/x-zip-compressed"),
                  sz("PerceivedType", "compressed")),
        key(HKCR + r"\.zip\CompressedFolder\ShellNew", binary("Data", b"PK\x05\x06" + bytes(18)),
            expand("ItemName", "@%SystemRoot%\\system32\\zipfldr.dll,-10194")),
        key(HKCR + r"\CompressedFolder", sz("@", "Compressed (zipped) Folder"),
            expand("FriendlyTypeName", "@%SystemRoot%\\system32\\zipfldr.dll,-10195")),
        key(HKCR + r"\CompressedFolder\CLSID", sz("@", "{E88DCCE0-B7B3-11d1-A9F0-00AA0060FA31}")),
        key(HKCR + r"\CompressedFolder\DefaultIcon", expand("@", "%SystemRoot%\\system32\\zipfldr.dll")),
        key(HKCR + r"\CompressedFolder\shell\open\command",
            expand("@", "%SystemRoot%\\Explorer.exe /idlist,%I,%L"),
            sz("DelegateExecute", DELEGATE_FOLDER)),
    ],
    r"FileAssoc\Default_Directory.fix": [
        key(HKCR + r"\Directory", sz("@", "File Folder"),
            expand("FriendlyTypeName", "@%SystemRoot%\\system32\\shell32.dll,-10152")),
        key(HKCR + r"\Directory\DefaultIcon", expand("@", "%SystemRoot%\\System32\\shell32.dll,3")),
        key(HKCR + r"\Directory\shell", sz("@", "none")),
        key(HKCR + r"\Directory\shell\find", dword("SuppressionPolicy", 0x80)),
        key(HKCR + r"\Directory\shell\find\command", expand("@", "%SystemRoot%\\Explorer.exe")),
        key(HKCR + r"\Directory\shellex\ContextMenuHandlers\Sharing",
            sz("@", "{f81e9010-6ea4-11ce-a7ff-00aa003ca9f6}")),
    ],
    r"FileAssoc\Default_Drive.fix": [
        key(HKCR + r"\Drive", sz("@", "Drive")),
        key(HKCR + r"\Drive\DefaultIcon", expand("@", "%SystemRoot%\\System32\\imageres.dll,-32")),
        key(HKCR + r"\Drive\shell", sz("@", "none")),
        key(HKCR + r"\Drive\shell\find", dword("SuppressionPolicy", 0x80)),
        key(HKCR + r"\Drive\shell\find\command", expand("@", "%SystemRoot%\\Explorer.exe")),
    ],
    r"FileAssoc\Default_Folder.fix": [
        key(HKCR + r"\Folder", sz("@", "Folder"), binary("EditFlags", b"\xd2\x03\0\0"),
            sz("FriendlyTypeName", "@shell32.dll,-9338")),
        key(HKCR + r"\Folder\DefaultIcon", expand("@", "%SystemRoot%\\System32\\shell32.dll,3")),
        key(HKCR + r"\Folder\shell\explore", sz("MultiSelectModel", "Document")),
        key(HKCR + r"\Folder\shell\explore\command", sz("DelegateExecute", DELEGATE_FOLDER)),
        key(HKCR + r"\Folder\shell\open", sz("MultiSelectModel", "Document")),
        key(HKCR + r"\Folder\shell\open\command", expand("@", "%SystemRoot%\\Explorer.exe"),
            sz("DelegateExecute", DELEGATE_FOLDER)),
    ],
    # --- Services -----------------------------------------------------------
    r"Services\w7-msi1719-fix.fix": [
        key(SERVICES + r"\msiserver", expand("ImagePath", "%systemroot%\\system32\\msiexec.exe /V"),
            dword("Start", 3), dword("Type", 0x10), dword("ErrorControl", 1),
            sz("ObjectName", "LocalSystem"), multi("DependOnService", "rpcss")),
        key(HKLM + r"\SOFTWARE\Policies\Microsoft\Windows\Installer", dword("DisableMSI", 0)),
    ],
    r"Services\w7-bfe.fix": service(
        "BFE", "@%SystemRoot%\\system32\\bfe.dll,-1001", "@%SystemRoot%\\system32\\bfe.dll,-1002",
        "%systemroot%\\system32\\svchost.exe -k LocalServiceNoNetwork", 2, 0x20,
        object_name="NT AUTHORITY\\LocalService", group="NetworkProvider",
        service_dll="%SystemRoot%\\System32\\bfe.dll"),
    r"Services\w7-bits.fix": service(
        "BITS", "@%SystemRoot%\\system32\\qmgr.dll,-1000", "@%SystemRoot%\\system32\\qmgr.dll,-1001",
        "%SystemRoot%\\System32\\svchost.exe -k netsvcs", 2, 0x20, object_name="LocalSystem",
        depends=["RpcSs", "EventSystem"], delayed=True,
        service_dll="%SystemRoot%\\System32\\qmgr.dll"),
    r"Services\w7-spooler.fix": service(
        "Spooler", "@%systemroot%\\system32\\spoolsv.exe,-1", "@%systemroot%\\system32\\spoolsv.exe,-2",
        "%SystemRoot%\\System32\\spoolsv.exe", 2, 0x110, object_name="LocalSystem",
        group="SpoolerGroup", depends=["RPCSS", "http"]),
    r"Services\w7-mpsdrv.fix": service(
        "MpsDrv", "@%SystemRoot%\\system32\\FirewallAPI.dll,-23092",
        "@%SystemRoot%\\system32\\FirewallAPI.dll,-23093", "System32\\drivers\\mpsdrv.sys", 3, 1,
        sid_type=None),
    r"Services\w7-mpssvc.fix": service(
        "MpsSvc", "@%SystemRoot%\\system32\\FirewallAPI.dll,-23090",
        "@%SystemRoot%\\system32\\FirewallAPI.dll,-23091",
        "%SystemRoot%\\system32\\svchost.exe -k LocalServiceNoNetwork", 2, 0x20,
        object_name="NT Authority\\LocalService", group="NetworkProvider",
        depends=["mpsdrv", "bfe"], sid_type=3, service_dll="%SystemRoot%\\system32\\mpssvc.dll"),
    r"Services\w7-msiserver.fix": service(
        "msiserver", "@%SystemRoot%\\system32\\msimsg.dll,-27", "@%SystemRoot%\\system32\\msimsg.dll,-32",
        "%systemroot%\\system32\\msiexec.exe /V", 3, 0x10, object_name="LocalSystem",
        depends=["rpcss"]),
    r"Services\windefend.fix": service(
        "WinDefend", "@%ProgramFiles%\\Windows Defender\\MsMpRes.dll,-103",
        "@%ProgramFiles%\\Windows Defender\\MsMpRes.dll,-104",
        "%SystemRoot%\\System32\\svchost.exe -k secsvcs", 2, 0x20, object_name="LocalSystem",
        depends=["RpcSs"], delayed=True,
        service_dll="%ProgramFiles%\\Windows Defender\\mpsvc.dll"),
    r"Services\w7-wsearch.fix": service(
        "WSearch", "@%systemroot%\\system32\\SearchIndexer.exe,-103",
        "@%systemroot%\\system32\\SearchIndexer.exe,-104",
        "%systemroot%\\system32\\SearchIndexer.exe /Embedding", 2, 0x10, object_name="LocalSystem",
        depends=["RPCSS"], delayed=True),
    r"Services\wscsvc.fix": service(
        "wscsvc", "@%SystemRoot%\\System32\\wscsvc.dll,-200", "@%SystemRoot%\\System32\\wscsvc.dll,-201",
        "%SystemRoot%\\System32\\svchost.exe -k LocalServiceNetworkRestricted", 2, 0x20,
        object_name="NT AUTHORITY\\LocalService", depends=["RpcSs", "WinMgmt"], delayed=True,
        service_dll="%SystemRoot%\\System32\\wscsvc.dll"),
    # --- Misc. --------------------------------------------------------------
    r"Misc\w7-openwith-error-fix.fix": [
        key(HKCR + r"\Unknown", sz("AlwaysShowExt", ""), sz("QueryClassStore", "")),
        key(HKCR + r"\Unknown\shell", sz("@", "openas")),
        key(HKCR + r"\Unknown\shell\openas", sz("MultiSelectModel", "Single")),
        key(HKCR + r"\Unknown\shell\openas\command",
            expand("@", "%SystemRoot%\\system32\\rundll32.exe %SystemRoot%\\system32\\shell32.dll,"
                   "OpenAs_RunDLL %1")),
        key(HKCR + r"\*\shellex\ContextMenuHandlers\Open With",
            sz("@", "{09799AFB-AD67-11d1-ABCD-00C04FC30936}")),
    ],
    r"Misc\disableSelectiveSuspend.fix": [
        key(SERVICES + r"\USB", dword("DisableSelectiveSuspend", 1)),
    ],
    r"Misc\w8-scanwithdefender.fix": [
        key(HKCR + r"\*\shell\WindowsDefender", sz("@", "Scan with Windows Defender"),
            expand("Icon", "%ProgramFiles%\\Windows Defender\\EppManifest.dll")),
        key(HKCR + r"\*\shell\WindowsDefender\command", expand("@", DEFENDER_SCAN)),
        key(HKCR + r"\Directory\shell\WindowsDefender", sz("@", "Scan with Windows Defender"),
            expand("Icon", "%ProgramFiles%\\Windows Defender\\EppManifest.dll")),
        key(HKCR + r"\Directory\shell\WindowsDefender\command", expand("@", DEFENDER_SCAN)),
    ],
    r"Misc\deletelowerfilters.fix": [key(CDROM_CLASS, remove("LowerFilters"))],
    r"Misc\deleteupperfilters.fix": [key(CDROM_CLASS, remove("UpperFilters"))],
}

BATCHES = {
    r"Networking\ResetNetwork.bat": [
        "@echo off",
        "rem Resets Winsock and the TCP/IP stack, then asks for a fresh address.",
        "echo Resetting the network settings...",
        "netsh winsock reset",
        'netsh int ip reset "%TEMP%\\ResetNetwork.log"',
        "ipconfig /release",
        "ipconfig /renew",
        "ipconfig /flushdns",
        "echo Done. Restart your computer to complete the reset.",
    ],
    r"Networking\FlushDNS.bat": [
        "@echo off",
        "rem Empties the DNS resolver cache.",
        "ipconfig /flushdns",
    ],
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "FIXER")
    outputs = {path: render(entries) for path, entries in SCRIPTS.items()}
    outputs.update({path: "\r\n".join(lines) + "\r\n" for path, lines in BATCHES.items()})
    for path, text in sorted(outputs.items()):
        target = os.path.join(root, *path.split("\\"))
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "w", encoding="ascii", newline="") as f:
            f.write(text)
    print("%d scripts, %d batch files written to %s" % (len(SCRIPTS), len(BATCHES), root))


if __name__ == "__main__":
    main()
