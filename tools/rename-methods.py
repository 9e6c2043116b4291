#!/usr/bin/env python3
"""Gives every class one method-naming style (ARCHITECTURE.md, "Names").

Re-runnable: renames what still carries an old name and leaves the rest alone.

  tools/rename-methods.py [BUILD_DIR]      (default build/release, an existing tree)

1. In each class's own header and source file, renames the declarations, the definitions
   (`Class::old`) and the class's unqualified calls; everywhere, renames `Class::old`.
2. Builds BUILD_DIR with `-k 0` and renames each call the compiler reports as naming a
   method that no longer exists (a member of another object, an inherited one), at the very
   line and column reported; repeats until the build has no such error left.
3. Runs clang-format on the C++ files that differ from HEAD, so run it on a clean tree.
It is kept out of the build. Fuzz targets are not in a normal tree: build build/fuzz too
(scripts/fuzz-build) and run the script on it once.
"""
import os
import re
import subprocess
import sys

# Class, old name, new name.
TABLE = """
CKQ70App programFolder GetProgramFolder
CKQ70App helpPath GetHelpPath
CKQ70App printerName GetPrinterName
CKQ70App setPrinterName SetPrinterName
CKQ70App fileToOpen GetFileToOpen
CKQ70App settings GetSettings
CKQ70App settingsFile GetSettingsFile
CKQ70App accessMode GetAccessMode
CKQ70App log GetLog
CKQ70App prompt GetPrompt
HWinIniReader path GetPath
HWinIniReader missing GetMissing
HWinIniReader readError GetReadError
HWinIniReader read Read
CKQ70View setModifiedHandler SetModifiedHandler
CKQ70View setPrinterName SetPrinterName
CKQ70View selectGroup SelectGroup
CKQ70View currentGroup GetCurrentGroup
CKQ70View currentChannel GetCurrentChannel
CKQ70View infoStrip GetInfoStrip
CKQ70View statusText GetStatusText
CKQ70View onEnter OnEnter
CKQ70View onSpace OnSpace
CKQ70View onDoubleClick OnDoubleClick
CKQ70View onF2 OnF2
CKQ70View onF3 OnF3
CKQ70View helpTopic GetHelpTopic
CKQ70View onShiftF9 OnShiftF9
CKQ70View onShiftF10 OnShiftF10
CKQ70View toggleItem ToggleItem
CKQ70View itemChecked ItemChecked
CKQ70View itemCommandEnabled ItemCommandEnabled
CKQ70View setItems SetItems
CKQ70View copy Copy
CKQ70View paste Paste
CKQ70View copiedToneKind GetCopiedToneKind
CKQ70View copiedToneNumber GetCopiedToneNumber
CKQ70View commitPendingEdit CommitPendingEdit
CKQ70View pendingEditProblem PendingEditProblem
CKQ70View channelData GetChannelData
CKQ70View grid GetGrid
CKQ70View accessMode GetAccessMode
CKQ70View textContext GetTextContext
CKQ70View channelOfRow ChannelOfRow
CKQ70View rowOfChannel RowOfChannel
CKQ70View rebuild Rebuild
CKQ70View setupGrid SetupGrid
CKQ70View fillRow FillRow
CKQ70View fillCell FillCell
CKQ70View refreshAfter RefreshAfter
CKQ70View repairShownValues RepairShownValues
CKQ70View storeIfRepaired StoreIfRepaired
CKQ70View markModified MarkModified
CKQ70View cellAction CellAction
CKQ70View toggleInUse ToggleInUse
CKQ70View togglePriority TogglePriority
CKQ70View chooseFrequency ChooseFrequency
CKQ70View decodeToneAction DecodeToneAction
CKQ70View encodeToneAction EncodeToneAction
CKQ70View cycleEncryption CycleEncryption
CKQ70View cycleSignalType CycleSignalType
CKQ70View chooseSignalNumber ChooseSignalNumber
CKQ70View flip Flip
CKQ70View artsAllowed ArtsAllowed
CKQ70View applyArtsRule ApplyArtsRule
CKQ70View dcsComplement DcsComplement
CKQ70View checkedFrequency CheckedFrequency
CKQ70View parseInto ParseInto
CKQ70View setFromText SetFromText
CKQ70View userMode GetUserMode
CKQ70View optionUnit GetOptionUnit
CKQ70View encryptionUnit GetEncryptionUnit
CKQ70View radioChannelValue GetRadioChannelValue
CKQ70Doc addObserver AddObserver
CKQ70Doc removeObserver RemoveObserver
CKQ70Doc markReplaced MarkReplaced
CKQ70Doc currentFilePath GetCurrentFilePath
CKQ70Doc setCurrentFilePath SetCurrentFilePath
CKQ70Doc isUntitled IsUntitled
CKQ70Doc dataModified GetDataModified
CKQ70Doc setDataModified SetDataModified
CKQ70Doc word1Edited GetWord1Edited
CKQ70Doc setWord1Edited SetWord1Edited
CKQ70Doc hardwareEdited GetHardwareEdited
CKQ70Doc setHardwareEdited SetHardwareEdited
CKQ70Doc clearEditedFlags ClearEditedFlags
CKQ70Doc editFlags GetEditFlags
CKQ70Doc setEditFlags SetEditFlags
CKQ70Doc undoHistory GetUndoHistory
CKQ70Doc announce Announce
CKQ70Doc openScope OpenScope
CKQ70Doc closeScope CloseScope
AdjustmentRecoverCommand setJobExecutor SetJobExecutor
AdjustmentRecoverCommand setCancelFlag SetCancelFlag
CommonCommands createPage CreatePage
CommonCommands pageTitle PageTitle
CompareCommands compare Compare
DocumentCommands programFolder GetProgramFolder
DocumentCommands saveTo SaveTo
DocumentCommands tryTemplate TryTemplate
DocumentCommands rememberRecentFile RememberRecentFile
DocumentGate Gated gated
EditSteps run Run
EditSteps begin Begin
EditSteps end End
EditSteps pending GetPending
EditSteps cellStep CellStep
EditSteps editStep EditStep
EditSteps pasteStep PasteStep
EditSteps pageStep PageStep
EditSteps apply Apply
MainMenuModel menus GetMenus
MainMenuModel has Has
MainMenuModel isEnabled IsEnabled
MainMenuModel setUndoHistory SetUndoHistory
MainMenuModel commandText CommandText
MainMenuModel position Position
MainMenuModel canonicalCommand CanonicalCommand
MainMenuModel extraAccelerators ExtraAccelerators
MainMenuModel toolbarCommands ToolbarCommands
MainMenuModel removeCommand RemoveCommand
RadioCommands setJobExecutor SetJobExecutor
RadioCommands setWriteBackExecutor SetWriteBackExecutor
RadioCommands setCancelFlag SetCancelFlag
RadioCommands lastJobCancelled GetLastJobCancelled
CancelFlag RequestStop requestStop
DownloadVerification CompareUnit compareUnit
DownloadVerification Unanswered unanswered
DownloadVerification Message message
HKqCommonCommunication port GetPort
HKqCommonCommunication progress GetProgress
HKqCommonCommunication clock GetClock
HVersionInfo fromBuild FromBuild
HVersionInfo get Get
ImageComparison Compare compare
HChannelAllocationDialog variant GetVariant
HChannelAllocationDialog countEditKillFocus CountEditKillFocus
HChannelAllocationDialog countEditEnter CountEditEnter
HChannelAllocationDialog focusRequest GetFocusRequest
HChannelAllocationDialog takeFocusRequest TakeFocusRequest
HChannelAllocationDialog firstGrownGroup GetFirstGrownGroup
HChannelAllocationDialog channelData GetChannelData
HChannelAllocationDialog large IsLarge
HChannelAllocationDialog recompute Recompute
HChannelAllocationDialog shownCount ShownCount
HChannelAllocationDialog setCountText SetCountText
HChannelAllocationDialog enableForCount EnableForCount
HDialog selectItemValue SelectItemValue
HDialog selectIndex SelectIndex
HDialog typeText TypeText
HDialog setFocus SetFocus
HDialog promptLine GetPromptLine
HDialog className GetClassName
HDialog helpTopic GetHelpTopic
HDialog controls GetControls
HDialog control GetControl
HDialog shownValue GetShownValue
HDialog selectedItemValue SelectedItemValue
HDialog editDefinition GetEditDefinition
HDialog listingItems GetListingItems
HDialog listingItemsByControl GetListingItemsByControl
HDialog listingLines GetListingLines
HDialog listingLine23 ListingLine23
HDialog listingLine29 ListingLine29
HDialog listingLine19 ListingLine19
HDialog withoutAmpersands WithoutAmpersands
HDialog formatEdit FormatEdit
HDialog parseEdit ParseEdit
HDialog filterAccepts FilterAccepts
HDialog promptText PromptText
HDialog addCombo AddCombo
HDialog addEdit AddEdit
HDialog addStatic AddStatic
HDialog mutableControl GetMutableControl
HDialog workingList WorkingList
HDialog refillCombo RefillCombo
HDialog selectValue SelectValue
HDialog setVisible SetVisible
HDialog setHelpTopic SetHelpTopic
HDialog image GetImage
HDialog accessMode GetAccessMode
HDialog runSlot RunSlot
HDialog markCombosWithoutTheirValue MarkCombosWithoutTheirValue
HDialog boundObjects GetBoundObjects
HDialog addBound AddBound
HDialog indexOf IndexOf
HDialog buildItems BuildItems
HDirectChDialog controlId GetControlId
HDirectChDialog params GetParams
HDirectChDialog listingItems GetListingItems
HDirectChDialog promptText PromptText
HHardwareDialog bandChanged BandChanged
HHardwareDialog radioChannelChanged RadioChannelChanged
HHardwareDialog displayTypeChanged DisplayTypeChanged
HHardwareDialog params GetParams
HHardwareDialog promptText PromptText
HHardwareDialog filterChannelSteps FilterChannelSteps
HHardwareDialog limitToSave LimitToSave
HKeyFuncDialog controlId GetControlId
HKeyFuncDialog functionText FunctionText
HKeyFuncDialog params GetParams
HKeyFuncDialog offers Offers
HKeyFuncDialog listingItems GetListingItems
HKeyFuncDialog takenByOtherSlot TakenByOtherSlot
HKeyFuncDialog applyOptionSwitchInterlock ApplyOptionSwitchInterlock
HKeyFuncDialog rebuildLists RebuildLists
HMarketingDialog controlId GetControlId
HMarketingDialog params GetParams
HMarketingDialog listingItems GetListingItems
HMarketingDialog promptText PromptText
HMiscDialog controlId GetControlId
HMiscDialog params GetParams
HMiscDialog listingItems GetListingItems
HMiscDialog promptText PromptText
HPowerSaveDialog controlId GetControlId
HPowerSaveDialog params GetParams
HPowerSaveDialog listingItems GetListingItems
HPowerSaveDialog promptText PromptText
HScanningDialog params GetParams
HScanningDialog listingItems GetListingItems
HScanningDialog promptText PromptText
HScanningDialog enablePriorityChannel EnablePriorityChannel
FileLock Acquire acquire
PrintCommands printerName GetPrinterName
PrintCommands setPrinterName SetPrinterName
PrintCommands printer GetPrinter
PrintCommands committedListing CommittedListing
PrintCommands printPages PrintPages
PrintCommands printToFile PrintToFile
CKQ70View commitValidPendingEdit CommitValidPendingEdit
CKQ70View channelRange ChannelRange
CKQ70View columnHidden ColumnHidden
FleetWindowModel DocumentProblem documentProblem
FleetWindowModel SimulatedRadioNumber simulatedRadioNumber
SessionRecovery Keep keep
SessionRecovery Offer offer
SessionRecovery Restore restore
DocumentGate ReadsOnly readsOnly
"""

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_DIRS = ["src", "tests", "bench", "fuzz", "tools"]
SKIP = {os.path.abspath(__file__)}


def rows():
    for line in TABLE.split("\n"):
        if line.strip():
            yield tuple(line.split())


def sources():
    for top in SOURCE_DIRS:
        for folder, _, files in os.walk(os.path.join(ROOT, top)):
            for name in files:
                if name.endswith((".h", ".cpp")):
                    path = os.path.join(folder, name)
                    if path not in SKIP:
                        yield path


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def class_body(text, cls):
    """(start, end) of the body of `class cls ... {`, or None."""
    m = re.search(r"^(?:class|struct)\s+" + cls + r"\b[^;{]*\{", text, re.M)
    if not m:
        return None
    depth, i = 0, m.end() - 1
    while i < len(text):
        depth += {"{": 1, "}": -1}.get(text[i], 0)
        if depth == 0:
            return m.end(), i
        i += 1
    return None


def unqualified(old):
    # A call or declaration of the name itself: not `x.old(`, `p->old(`, `N::old(`, `~old(`.
    return re.compile(r"(?<![\w.>:~])" + old + r"(?=\s*\()")


def rename_own_files(by_class):
    headers = {}
    for path in sources():
        if path.endswith(".h") and path.startswith(os.path.join(ROOT, "src")):
            text = read(path)
            for cls in by_class:
                if cls not in headers and class_body(text, cls):
                    headers[cls] = path
    for cls, pairs in by_class.items():
        header = headers[cls]
        text = read(header)
        start, end = class_body(text, cls)
        body = text[start:end]
        for old, new in pairs:
            body = unqualified(old).sub(new, body)
        write(header, text[:start] + body + text[end:])
        source = header[:-2] + ".cpp"
        if os.path.exists(source):
            text = read(source)
            for old, new in pairs:
                text = unqualified(old).sub(new, text)
            write(source, text)


def rename_qualified(by_class):
    patterns = [(re.compile(r"\b" + cls + r"::" + old + r"\b"), cls + "::" + new)
                for cls, pairs in by_class.items() for old, new in pairs]
    for path in sources():
        text = read(path)
        changed = text
        for pattern, new in patterns:
            changed = pattern.sub(new, changed)
        if changed != text:
            write(path, changed)


ERROR = re.compile(
    r"^(?P<file>[^:\s]+):(?P<line>\d+):(?P<col>\d+): error: (?:"
    # Also `'using Alias = class kq70::X' {aka ...}` and nested or local classes.
    r"'(?:using \w+ = )?(?:const )?(?:class|struct) kq70::(?:[\w{}()]+::)*(?P<cls>\w+)'"
    r"(?: \{aka [^}]*\})? has no member named '(?P<a>\w+)'"
    r"|'(?P<b>\w+)' was not declared in this scope"
    r"|'(?P<c>\w+)' is not a member of '(?:const )?kq70::(?P<cls2>\w+)'"
    r"|there are no arguments to '(?P<d>\w+)'"
    r"|'[^']*?(?P<e>\w+)\([^']*' marked '?override'?, but does not override"
    # An inherited accessor whose old name is also a C library function (`clock()`).
    r"|request for member '\w+' in '(?P<f>\w+)\(\)')",
    re.M)


def build(build_dir):
    env = dict(os.environ, LC_ALL="C")  # the messages' quotes as plain apostrophes
    result = subprocess.run(["nice", "cmake", "--build", build_dir, "-j2", "--", "-k", "0"],
                            cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, env=env)
    status, output = result.returncode, result.stdout
    # The fuzz targets build only in a clang tree; a syntax check finds their calls here.
    for name in sorted(os.listdir(os.path.join(ROOT, "fuzz"))):
        if name.endswith(".cpp"):
            check = subprocess.run(
                ["nice", "g++", "-std=c++20", "-fsyntax-only", "-DKQ70_PROJECT_VERSION=\"0\"",
                 "-Isrc/core", "-Isrc", "-Isrc/cli", "-Isrc/sim", "-Ifuzz",
                 os.path.join(ROOT, "fuzz", name)],
                cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, env=env)
            status = status or check.returncode
            output += check.stdout
    return status, output


def fix_reported(output, build_dir, new_of):
    fixes = {}
    for m in ERROR.finditer(output):
        old = next(m.group(g) for g in "abcdef" if m.group(g))
        if old not in new_of:
            continue
        path = m.group("file")
        if not os.path.isabs(path):
            in_tree = os.path.normpath(os.path.join(ROOT, build_dir, path))
            path = in_tree if os.path.exists(in_tree) else os.path.join(ROOT, path)
        fixes[(path, int(m.group("line")), int(m.group("col")))] = old
    by_file = {}
    for (path, line, col), old in fixes.items():
        by_file.setdefault(path, []).append((line, col, old))
    count = 0
    for path, places in by_file.items():
        lines = read(path).split("\n")
        # Right to left, so that earlier columns on a line stay valid.
        for line, col, old in sorted(places, key=lambda p: (p[0], -p[1])):
            text = lines[line - 1]
            name = re.compile(r"\b" + old + r"\b")
            m = name.search(text, max(col - 1, 0)) or name.search(text)
            if m:
                lines[line - 1] = text[:m.start()] + new_of[old] + text[m.end():]
                count += 1
        write(path, "\n".join(lines))
    return count


def reformat():
    """clang-format every C++ file the renames changed (a longer name can move a line break)."""
    changed = subprocess.run(["git", "diff", "--name-only", "--", "*.h", "*.cpp"], cwd=ROOT,
                             stdout=subprocess.PIPE, text=True, check=True).stdout.split()
    if changed:
        subprocess.run(["clang-format", "-i"] + changed, cwd=ROOT, check=True)


def main():
    build_dir = sys.argv[1] if len(sys.argv) > 1 else "build/release"
    by_class, new_of = {}, {}
    for cls, old, new in rows():
        by_class.setdefault(cls, []).append((old, new))
        if new_of.setdefault(old, new) != new:
            sys.exit(f"{old} has two new names")
    rename_own_files(by_class)
    rename_qualified(by_class)
    for round_ in range(1, 20):
        status, output = build(build_dir)
        if status == 0:
            print(f"rename-methods: built cleanly after {round_} round(s)")
            reformat()
            return 0
        fixed = fix_reported(output, build_dir, new_of)
        print(f"rename-methods: round {round_}: {fixed} call(s) renamed")
        if fixed == 0:
            sys.stdout.write("\n".join(l for l in output.splitlines() if "error" in l)[:20000])
            print("\nrename-methods: errors left that are not renames")
            return 1
    return 1


if __name__ == "__main__":
    sys.exit(main())
