{LSF}
{BODY}
A = onetwo
B = cuthere
C = never
