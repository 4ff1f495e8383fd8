{LSF}
{BODY}
X =  €ÿ
