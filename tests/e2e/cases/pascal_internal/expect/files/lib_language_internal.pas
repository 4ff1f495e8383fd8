// =============================================================================
//    WARNING WARNING WARNING WARNING WARNING WARNING WARNING WARNING WARNING
// =============================================================================
//  This file was created automatically from:
//  texts.ls
//  With Zelmor Language Compiler v4.1.1 
//
// DO NOT CHANGE THIS FILE MANUALLY, EDIT THE SOURCE FILE AND RECOMPILE IT WITH
// VARNOC <file> /IL
//
// -----------------------------------------------------------------------------

unit lib_language_internal;

interface

function ZMLFInternalStr(sch: string): string;

implementation

function ZMLFInternalStr(sch: string): string;
begin

  if sch = 'HELLO' then
    result := 'Bonjour'
  else if sch = 'Q''T' then
    result := 'L''eau'
  else if sch = 'EMPTY' then
    result := ''
  else if sch = 'TRAIL' then
    result := 'two blanks  '
  else if sch = 'A B' then
    result := 'inner blank ID'
  else if sch = 'LONGKE' then
    result := 'only six bytes of the key'
  else if sch = 'TAB' then
    result := 'a	b'
  else if sch = 'HIGH' then
    result := 'café «»'
  else if sch = 'HELLO' then
    result := 'second, never returned'
  else
    result := '--Non défini--'

end;

end.
