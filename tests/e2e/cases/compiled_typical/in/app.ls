# Application texts, English
{LSF}
{HEADER}
NAME        = English
AUTHOR      = José Example
URL         = https://example.org/app
EMAIL       = app@example.org
FONTNAME    = Tahoma
OUTFILE     = app.lng
PROGRAMID   = AP
PROGRAMVER  = 12
COMPRESSION = 0
{/HEADER}

{BODY}
# Group 1
T000  = 
T001  = Save file %s Open the changes now
T002  = Close café = Save file
T003  = the changes now
T004  = file
T005  = café = Save file %s Open the changes
T006  = changes now Close café = Save
T007  = %s Open the changes
T008  = = Save
T009  = 
T010  = Open the changes now Close café =
T011  = Save file %s Open the
T012  = Close café =
T013  = the
T014  = file %s Open the changes now Close café
T015  = café = Save file %s Open
T016  = changes now Close café
T017  = %s Open
T018  = 
T019  = now Close café = Save file %s
# Group 2
T020  = Open the changes now Close
T021  = Save file %s
T022  = Close
T023  = the changes now Close café = Save file
T024  = file %s Open the changes now
T025  = café = Save file
T026  = changes now
T027  = 
T028  = = Save file %s Open the changes
T029  = now Close café = Save
T030  = Open the changes
T031  = Save
T032  = Close café = Save file %s Open the
T033  = the changes now Close café =
T034  = file %s Open the
T035  = café =
T036  = 
T037  = %s Open the changes now Close café
T038  = = Save file %s Open
T039  = now Close café
# Group 3
T040  = Open
T041  = Save file %s Open the changes now Close
T042  = Close café = Save file %s
T043  = the changes now Close
T044  = file %s
T045  = 
T046  = changes now Close café = Save file
T047  = %s Open the changes now
T048  = = Save file
T049  = now
T050  = Open the changes now Close café = Save
T051  = Save file %s Open the changes
T052  = Close café = Save
T053  = the changes
T054  = 
T055  = café = Save file %s Open the
T056  = changes now Close café =
T057  = %s Open the
T058  = =
T059  = now Close café = Save file %s Open
# Group 4
T060  = Open the changes now Close café
T061  = Save file %s Open
T062  = Close café
T063  = 
T064  = file %s Open the changes now Close
T065  = café = Save file %s
T066  = changes now Close
T067  = %s
T068  = = Save file %s Open the changes now
T069  = now Close café = Save file
T070  = Open the changes now
T071  = Save file
T072  = 
T073  = the changes now Close café = Save
T074  = file %s Open the changes
T075  = café = Save
T076  = changes
T077  = %s Open the changes now Close café =
T078  = = Save file %s Open the
T079  = now Close café =
{/BODY}
{/LSF}
