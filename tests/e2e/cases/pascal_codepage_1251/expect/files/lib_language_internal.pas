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
    result := 'Привет й'
  else if sch = 'QUOTE' then
    result := '«Цитата» ''x'''
  else
    result := '--Non dйfini--'

end;

end.
